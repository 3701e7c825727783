// Abbreviation list files: reading them whole, and the folders the window
// searches for them.
#include "app/service/abbrev_list_files.h"

#include "base/text_util.h"
#include "files/file_system.h"
#include "files/folder_names.h"
#include "files/whole_file.h"

namespace shirl {
namespace {

// The file name of the list of Selection `code` that extends, or replaces, its tables.
std::string ListFileName(std::string_view code, bool replace) {
    return std::string(code) + (replace ? ".replace.csv" : ".csv");
}

} // namespace

std::optional<Fault> LoadAbbrevListFiles(AbbrevList& list, const std::vector<std::string>& fileNames) {
    for (const std::string& name : fileNames) {
        const WholeFile file = ReadWholeFile(name, kMaxAbbrevListBytes);
        if (file.tooLarge) return Fault{FaultKind::ListTooLarge, name};
        if (!file.bytes) return Fault{FaultKind::ListUnreadable, name};
        if (auto fault = list.AddFile(*file.bytes, name)) return fault;
    }
    return std::nullopt;
}

std::vector<std::string> ListFolders(const std::string& programFolder) {
    std::vector<std::string> folders;
#ifdef _WIN32
    if (const auto appData = EnvironmentValue("APPDATA")) folders.push_back(JoinName(JoinName(*appData, "Shirl"), "lists"));
#else
    if (const auto config = EnvironmentValue("XDG_CONFIG_HOME")) {
        folders.push_back(JoinName(JoinName(*config, "shirl"), "lists"));
    } else if (const auto home = EnvironmentValue("HOME")) {
        folders.push_back(JoinName(JoinName(JoinName(*home, ".config"), "shirl"), "lists"));
    }
#endif
    if (!programFolder.empty()) folders.push_back(JoinName(programFolder, "lists"));
    return folders;
}

std::optional<NamedList> SelectionOfListFile(const std::string& fileName) {
    const std::string name = AsciiUpperCase(LastNamePart(fileName));
    for (const bool replace : {true, false}) {
        const std::string suffix = AsciiUpperCase(ListFileName("", replace));
        if (name.size() <= suffix.size() || !name.ends_with(suffix)) continue;
        const auto selection = FindSelectionByCode(std::string_view(name).substr(0, name.size() - suffix.size()));
        if (!selection) return std::nullopt;
        return NamedList{*selection, replace};
    }
    return std::nullopt;
}

FoundLists FindListsForSelection(const std::vector<std::string>& folders, const std::string& code) {
    FoundLists found;
    for (const std::string& folder : folders) {
        for (const bool replace : {false, true}) {
            const std::string name = JoinName(folder, ListFileName(code, replace));
            if (KindOf(name) != FileKind::Regular) continue;
            found.files.push_back(name);
            found.replace = found.replace || replace;
        }
    }
    return found;
}

} // namespace shirl
