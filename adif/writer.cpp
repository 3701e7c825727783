#include "adif/writer.h"

#include <charconv>
#include <cstring>

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
    std::string_view separator;
    if (column != 0) {
        if (column + length <= 78) {
            separator = " ";
            next = column + length + 1;
        } else {
            separator = lineEnd;
        }
    }
    // Most fields fit the buffer whole: one copy, no per-piece checks.
    if (char* p = out.Reserve(separator.size() + length)) {
        char* const start = p;
        const auto put = [&p](std::string_view text) {
            if (!text.empty()) std::memcpy(p, text.data(), text.size());
            p += text.size();
        };
        put(separator);
        *p++ = '<';
        put(name);
        if (value) {
            *p++ = ':';
            put(std::string_view(digits, digitCount));
            *p++ = '>';
            put(*value);
        } else {
            *p++ = '>';
        }
        out.Commit(static_cast<std::size_t>(p - start));
        return next;
    }
    out.Write(separator);
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
