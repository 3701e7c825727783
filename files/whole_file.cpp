#include "files/whole_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files/file_system.h"
#include "files/output_replacement.h"

#ifdef _WIN32
#include "files/utf.h"
#endif

namespace shirl {

WholeFile ReadWholeFile(const std::string& name, std::size_t limit) {
    WholeFile result;
    if (KindOf(name) == FileKind::Folder) return result;
    std::FILE* file = OpenFile(name, "rb");
    if (file == nullptr) return result;
    std::string text;
    char buffer[1 << 14];
    bool ok = true;
    for (;;) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, file);
        text.append(buffer, n);
        if (text.size() > limit) {
            result.tooLarge = true;
            ok = false;
            break;
        }
        if (n < sizeof buffer) {
            ok = std::ferror(file) == 0;
            break;
        }
    }
    std::fclose(file);
    if (ok) result.bytes = std::move(text);
    return result;
}

bool WriteWholeFile(const std::string& name, std::string_view bytes) {
    OutputReplacement output;
    if (!output.Open(name)) return false;
    output.Sink().Write(bytes);
    if (!output.Close()) {
        output.Discard();
        return false;
    }
    return output.IsDirect() || output.Commit();
}

std::optional<std::string> EnvironmentValue(const char* variable) {
#ifdef _WIN32
    const std::wstring wide(variable, variable + std::strlen(variable));
    const wchar_t* value = _wgetenv(wide.c_str());
    if (value == nullptr || *value == L'\0') return std::nullopt;
    return Utf8FromWide(value);
#else
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::string(value);
#endif
}

} // namespace shirl
