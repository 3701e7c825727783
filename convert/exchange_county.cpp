// Loggers put the whole received exchange into SRX_STRING, the county last:
// "AUTA", "599 AUT", "123 AUTA", and the sent one into STX_STRING. Only that
// last word can be a county.
#include "convert/exchange_county.h"

#include <algorithm>

#include "base/text_util.h"

namespace shirl {

std::optional<std::string_view> CountyWordOfExchange(std::string_view exchange) {
    std::size_t end = exchange.size();
    while (end > 0 && IsCSpace(exchange[end - 1])) --end;
    std::size_t start = end;
    while (start > 0 && !IsCSpace(exchange[start - 1])) --start;
    const std::string_view word = exchange.substr(start, end - start);
    if (word.empty() || std::all_of(word.begin(), word.end(), IsAsciiDigit)) return std::nullopt;
    return word;
}

bool HasSeveralWords(std::string_view exchange) {
    std::size_t start = 0, end = exchange.size();
    while (start < end && IsCSpace(exchange[start])) ++start;
    while (end > start && IsCSpace(exchange[end - 1])) --end;
    return std::any_of(exchange.begin() + static_cast<std::ptrdiff_t>(start),
                       exchange.begin() + static_cast<std::ptrdiff_t>(end), IsCSpace);
}

} // namespace shirl
