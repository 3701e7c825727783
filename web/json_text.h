#pragma once
// JSON text for the page: strings are written byte for byte (the page
// decodes them as UTF-8), with quotes, backslashes and control characters
// escaped.
#include <string>
#include <string_view>

namespace shirl::web {

// `text` as a JSON string, quotes included.
std::string JsonString(std::string_view text);

} // namespace shirl::web
