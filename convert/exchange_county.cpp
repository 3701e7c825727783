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
    std::size_t i = 0;
    while (i < exchange.size() && IsCSpace(exchange[i])) ++i;  // blanks before the first word
    while (i < exchange.size() && !IsCSpace(exchange[i])) ++i; // the first word
    while (i < exchange.size() && IsCSpace(exchange[i])) ++i;  // blanks after it
    return i < exchange.size();
}

} // namespace shirl
