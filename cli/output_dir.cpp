// Joining the output folder and an input's file name. Kept apart so that it
// can move to the file layer with the rest of the path handling.
#include "cli/output_dir.h"

namespace shirl::cli {

std::string OutputNameInFolder(const std::string& folder, const std::string& input) {
#ifdef _WIN32
    constexpr const char* kSeparators = "/\\:";
    constexpr char kSeparator = '\\';
#else
    constexpr const char* kSeparators = "/";
    constexpr char kSeparator = '/';
#endif
    const std::size_t cut = input.find_last_of(kSeparators);
    const std::string name = cut == std::string::npos ? input : input.substr(cut + 1);
    if (folder.empty()) return name;
    const char last = folder.back();
    const bool ends = std::string(kSeparators).find(last) != std::string::npos;
    return ends ? folder + name : folder + kSeparator + name;
}

} // namespace shirl::cli
