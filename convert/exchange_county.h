#pragma once
// The county word of an exchange (SRX_STRING, STX_STRING): "599 AUT" -> "AUT".
#include <optional>
#include <string_view>

namespace shirl {

// The last blank-separated word of `exchange`, or nullopt when there is no
// word or the word is only digits (a serial number or a report).
std::optional<std::string_view> CountyWordOfExchange(std::string_view exchange);

// Whether `exchange` holds more than one blank-separated word ("599 PIN").
bool HasSeveralWords(std::string_view exchange);

} // namespace shirl
