#pragma once
// The output name of one input of `convert --output-dir DIR`.
#include <string>

namespace shirl::cli {

// DIR joined with the file name of `input` (its last path part).
std::string OutputNameInFolder(const std::string& folder, const std::string& input);

} // namespace shirl::cli
