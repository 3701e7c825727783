// Abbreviation list files: reading them whole, and the folders the window
// searches for them. The only path handling is joining a folder and a file
// name.
#include "app/abbrev_list_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "adif/byte_io.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace shirl {
namespace {

std::string CannotRead(const std::string& name) { return "ERROR: Abbreviation list " + name + ": cannot be read."; }

// The whole file, or nullopt when it cannot be read or is too large (`tooLarge` set).
std::optional<std::string> ReadWholeFile(const std::string& name, bool& tooLarge) {
    std::FILE* file = OpenFileUtf8(name, "rb");
    if (file == nullptr) return std::nullopt;
    std::string text;
    char buffer[1 << 14];
    bool ok = true;
    for (;;) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, file);
        text.append(buffer, n);
        if (text.size() > kMaxAbbrevListBytes) {
            tooLarge = true;
            ok = false;
            break;
        }
        if (n < sizeof buffer) {
            ok = std::ferror(file) == 0;
            break;
        }
    }
    std::fclose(file);
    if (!ok) return std::nullopt;
    return text;
}

std::string Joined(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const char last = folder.back();
    if (last == '/' || last == '\\') return folder + name;
#ifdef _WIN32
    return folder + "\\" + name;
#else
    return folder + "/" + name;
#endif
}

std::optional<std::string> Environment(const char* name) {
#ifdef _WIN32
    const std::wstring wide(name, name + std::strlen(name));
    const wchar_t* value = _wgetenv(wide.c_str());
    if (value == nullptr || *value == L'\0') return std::nullopt;
    const std::u8string u8 = std::filesystem::path(value).u8string();
    return std::string(u8.begin(), u8.end());
#else
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::string(value);
#endif
}

bool IsFile(const std::string& name) {
    std::error_code ec;
    return std::filesystem::is_regular_file(std::filesystem::path(std::u8string(name.begin(), name.end())), ec);
}

} // namespace

std::optional<std::string> LoadAbbrevListFiles(AbbrevList& list, const std::vector<std::string>& fileNames) {
    for (const std::string& name : fileNames) {
        bool tooLarge = false;
        const std::optional<std::string> text = ReadWholeFile(name, tooLarge);
        if (tooLarge) return "ERROR: Abbreviation list " + name + ": larger than 16 MiB.";
        if (!text) return CannotRead(name);
        if (auto fault = list.AddFile(*text, name)) return fault;
    }
    return std::nullopt;
}

std::vector<std::string> ListFolders(const std::string& programFolder) {
    std::vector<std::string> folders;
#ifdef _WIN32
    if (const auto appData = Environment("APPDATA")) folders.push_back(Joined(Joined(*appData, "Shirl"), "lists"));
#else
    if (const auto config = Environment("XDG_CONFIG_HOME")) {
        folders.push_back(Joined(Joined(*config, "shirl"), "lists"));
    } else if (const auto home = Environment("HOME")) {
        folders.push_back(Joined(Joined(Joined(*home, ".config"), "shirl"), "lists"));
    }
#endif
    if (!programFolder.empty()) folders.push_back(Joined(programFolder, "lists"));
    return folders;
}

FoundLists FindListsForSelection(const std::vector<std::string>& folders, const std::string& code) {
    FoundLists found;
    for (const std::string& folder : folders) {
        for (const bool replace : {false, true}) {
            const std::string name = Joined(folder, code + (replace ? ".replace.csv" : ".csv"));
            if (!IsFile(name)) continue;
            found.files.push_back(name);
            found.replace = found.replace || replace;
        }
    }
    return found;
}

} // namespace shirl
