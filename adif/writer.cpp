#include "adif/writer.h"

#include <cstring>

namespace shirl {
namespace {

// Copies n bytes to p and returns the end. Names, lengths and most values
// are short: up to 16 bytes take two fixed-size (overlapping) copies that
// the compiler turns into plain moves instead of a library call.
inline char* PutBytes(char* p, const char* s, std::size_t n) {
    if (n >= 8) {
        if (n > 16) {
            std::memcpy(p, s, n);
        } else {
            std::memcpy(p, s, 8);
            std::memcpy(p + n - 8, s + n - 8, 8);
        }
    } else if (n >= 4) {
        std::memcpy(p, s, 4);
        std::memcpy(p + n - 4, s + n - 4, 4);
    } else if (n != 0) {
        p[0] = s[0];
        p[n / 2] = s[n / 2];
        p[n - 1] = s[n - 1];
    }
    return p + n;
}

// The number of decimal digits of n.
inline std::size_t DigitCount(std::size_t n) {
    if (n < 10) return 1;
    if (n < 100) return 2;
    std::size_t count = 1;
    while (n >= 10) {
        n /= 10;
        ++count;
    }
    return count;
}

// Writes the `count` decimal digits of n at p and returns the end.
inline char* PutDecimal(char* p, std::size_t n, std::size_t count) {
    if (n < 10) {
        *p = static_cast<char>('0' + n);
        return p + 1;
    }
    char* const end = p + count;
    char* q = end;
    do {
        *--q = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    return end;
}

// The number of UTF-8 characters of `text`: its bytes that do not continue
// a character.
std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

// WriteField with `declared` as the value's length.
inline std::size_t WriteFieldDeclaring(ByteSink& out, std::string_view name, std::optional<std::string_view> value,
                                       std::size_t declared, std::size_t column, std::string_view lineEnd) {
    std::size_t digitCount = 0;
    std::size_t length = name.size() + 2; // "<" NAME ">"
    if (value) {
        digitCount = DigitCount(declared);
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
    // Most fields fit the buffer whole: written straight into it.
    if (char* p = out.Reserve(separator.size() + length)) {
        char* const start = p;
        p = PutBytes(p, separator.data(), separator.size());
        *p++ = '<';
        p = PutBytes(p, name.data(), name.size());
        if (value) {
            *p++ = ':';
            p = PutDecimal(p, declared, digitCount);
            *p++ = '>';
            p = PutBytes(p, value->data(), value->size());
        } else {
            *p++ = '>';
        }
        out.Commit(static_cast<std::size_t>(p - start));
        return next;
    }
    char digits[24];
    out.Write(separator);
    out.Put('<');
    out.Write(name);
    if (value) {
        out.Put(':');
        PutDecimal(digits, declared, digitCount);
        out.Write(std::string_view(digits, digitCount));
        out.Put('>');
        out.Write(*value);
    } else {
        out.Put('>');
    }
    return next;
}

} // namespace

std::size_t WriteFieldText(ByteSink& out, std::string_view text, std::size_t column, std::string_view lineEnd) {
    const bool sameLine = column != 0 && column + text.size() <= 78;
    const std::string_view separator = column == 0 ? std::string_view() : sameLine ? " " : lineEnd;
    if (char* p = out.Reserve(separator.size() + text.size())) {
        char* const start = p;
        if (sameLine) {
            *p++ = ' ';
        } else {
            for (const char c : separator) *p++ = c;
        }
        p = PutBytes(p, text.data(), text.size());
        out.Commit(static_cast<std::size_t>(p - start));
    } else {
        out.Write(separator);
        out.Write(text);
    }
    return sameLine ? column + text.size() + 1 : text.size();
}

std::size_t WriteField(ByteSink& out, std::string_view name, std::optional<std::string_view> value,
                       std::size_t column, std::string_view lineEnd, LengthUnit unit) {
    const std::size_t declared = !value ? 0 : unit == LengthUnit::Bytes ? value->size() : CharacterCount(*value);
    return WriteFieldDeclaring(out, name, value, declared, column, lineEnd);
}

std::size_t WriteField(ByteSink& out, std::string_view name, std::optional<std::string_view> value,
                       std::size_t column, std::string_view lineEnd) {
    return WriteFieldDeclaring(out, name, value, value ? value->size() : 0, column, lineEnd);
}

} // namespace shirl
