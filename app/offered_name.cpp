#include "app/offered_name.h"

namespace shirl {

namespace {

#ifdef _WIN32
constexpr const char* kSeparators = "/\\:";
#else
constexpr const char* kSeparators = "/";
#endif

// Where the extension of the name's last part begins (its last dot), or
// the name's length when it has none.
std::string::size_type ExtensionStart(const std::string& name) {
    const auto slash = name.find_last_of(kSeparators);
    const auto base = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot <= base) return name.size();
    return dot;
}

bool EndsInFolder(const std::string& name) {
    return name.empty() || name.find_last_of(kSeparators) == name.size() - 1;
}

} // namespace

std::string OfferedOutputName(const std::string& inputName) {
    if (EndsInFolder(inputName)) return {};
    const auto ext = ExtensionStart(inputName);
    return inputName.substr(0, ext) + "-converted" + inputName.substr(ext);
}

std::string OfferedReportName(const std::string& outputName) {
    if (EndsInFolder(outputName)) return {};
    return outputName.substr(0, ExtensionStart(outputName)) + "-report.txt";
}

} // namespace shirl
