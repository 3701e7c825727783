#pragma once
// Small helpers for reading CSV text typed by people: splitting one line
// into cells (the UTF-8 check is base/utf8.h's).
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/utf8.h" // FindInvalidUtf8, the check of list text

namespace shirl {

// Splits one line (without its line end) at commas into cells, blanks around
// each cell dropped. A cell may be quoted ("Lewis and Clark", "a ""b""").
// Returns nullopt for a quote that is not closed or text after a closing quote.
std::optional<std::vector<std::string>> SplitCsvLine(std::string_view line);

// `text` without the blanks and tabs around it.
std::string_view TrimBlanks(std::string_view text);

} // namespace shirl
