#include "adif/writer.h"

#include <charconv>

namespace shirl {

std::size_t WriteField(ByteSink& out, std::string_view name, std::optional<std::string_view> value,
                       std::size_t column, std::string_view lineEnd) {
    char digits[24];
    std::size_t digitCount = 0;
    std::size_t length = name.size() + 2; // "<" NAME ">"
    if (value) {
        digitCount = static_cast<std::size_t>(
            std::to_chars(digits, digits + sizeof digits, value->size()).ptr - digits);
        length += 1 + digitCount + value->size(); // ":" LEN VALUE
    }

    std::size_t next = length;
    if (column != 0) {
        if (column + length <= 78) {
            out.Put(' ');
            next = column + length + 1;
        } else {
            out.Write(lineEnd);
        }
    }
    out.Put('<');
    out.Write(name);
    if (value) {
        out.Put(':');
        out.Write(std::string_view(digits, digitCount));
        out.Put('>');
        out.Write(*value);
    } else {
        out.Put('>');
    }
    return next;
}

} // namespace shirl
