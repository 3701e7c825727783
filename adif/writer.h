#pragma once
// The ADIF field writer and its 79-column rule.
#include <cstddef>
#include <optional>
#include <string_view>

#include "adif/byte_io.h"

namespace shirl {

inline constexpr std::string_view kLineEndLf = "\n";
inline constexpr std::string_view kLineEndCrLf = "\r\n";

// What the length of a written value counts: bytes, or (for a field whose
// input counted them) UTF-8 characters.
enum class LengthUnit : unsigned char { Bytes, Characters };

// Writes one field as "<NAME:LEN>VALUE" (or "<NAME>" without a value; the
// name as stored, LEN the value's length in bytes) and returns the new
// column. Column 0 (the first field of a record) writes the text alone;
// otherwise the field follows after one space when column + its length in
// bytes is at most 78, else it starts a new line (`lineEnd`, then the text).
std::size_t WriteField(ByteSink& out, std::string_view name, std::optional<std::string_view> value,
                       std::size_t column, std::string_view lineEnd = kLineEndLf);

// Same, LEN the value's length in `unit`.
std::size_t WriteField(ByteSink& out, std::string_view name, std::optional<std::string_view> value,
                       std::size_t column, std::string_view lineEnd, LengthUnit unit);

// Writes a field given whole as WriteField would format it ("<NAME:LEN>VALUE"
// or "<NAME>"), under the same column rule, and returns the new column.
std::size_t WriteFieldText(ByteSink& out, std::string_view text, std::size_t column,
                           std::string_view lineEnd = kLineEndLf);

} // namespace shirl
