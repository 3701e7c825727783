#include "app/service/offered_name.h"

#include "files/folder_names.h"

namespace shirl {

namespace {

// Where the extension of the name's last part begins (its last dot), or
// the name's length when it has none.
std::string::size_type ExtensionStart(const std::string& name) {
    const auto base = name.size() - LastNamePart(name).size();
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot <= base) return name.size();
    return dot;
}

bool EndsInFolder(const std::string& name) {
    return LastNamePart(name).empty();
}

} // namespace

std::string OfferedOutputName(const std::string& inputName) {
    if (EndsInFolder(inputName)) return {};
    const auto ext = ExtensionStart(inputName);
    return inputName.substr(0, ext) + "-converted" + inputName.substr(ext);
}

std::string WithAdifExtension(const std::string& name) {
    if (EndsInFolder(name)) return {};
    return name.substr(0, ExtensionStart(name)) + ".adi";
}

std::string OfferedReportName(const std::string& outputName) {
    if (EndsInFolder(outputName)) return {};
    return outputName.substr(0, ExtensionStart(outputName)) + "-report.txt";
}

std::string OfferedMapName(const std::string& outputName) {
    if (EndsInFolder(outputName)) return {};
    return outputName.substr(0, ExtensionStart(outputName)) + "-map.svg";
}

} // namespace shirl
