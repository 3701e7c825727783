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

std::string NameInFolder(const std::string& folder, const std::string& input) {
    const std::size_t cut = input.find_last_of(kSeparators);
    return JoinName(folder, cut == std::string::npos ? input : input.substr(cut + 1));
}

} // namespace shirl
