#pragma once
// Small helpers for reading CSV text typed by people: UTF-8 checking and
// splitting one line into cells.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shirl {

// The offset of the first byte that is not part of valid UTF-8 (overlong
// forms, surrogates and code points above U+10FFFF are invalid), or nullopt.
std::optional<std::size_t> FindInvalidUtf8(std::string_view text);

// Splits one line (without its line end) at commas into cells, blanks around
// each cell dropped. A cell may be quoted ("Lewis and Clark", "a ""b""").
// Returns nullopt for a quote that is not closed or text after a closing quote.
std::optional<std::vector<std::string>> SplitCsvLine(std::string_view line);

// `text` without the blanks and tabs around it.
std::string_view TrimBlanks(std::string_view text);

} // namespace shirl
