#include "files/folder_names.h"

namespace shirl {
namespace {

#ifdef _WIN32
constexpr const char* kSeparators = "/\\:";
constexpr char kSeparator = '\\';
#else
constexpr const char* kSeparators = "/";
constexpr char kSeparator = '/';
#endif

} // namespace

std::string JoinName(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const bool endsInSeparator = std::string(kSeparators).find(folder.back()) != std::string::npos;
    return endsInSeparator ? folder + name : folder + kSeparator + name;
}

std::string LastNamePart(const std::string& name) {
    const std::size_t cut = name.find_last_of(kSeparators);
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

std::string NameInFolder(const std::string& folder, const std::string& input) {
    return JoinName(folder, LastNamePart(input));
}

} // namespace shirl
