#pragma once
// Byte-wise text helpers of the C locale, shared by every layer (the reader,
// the Selection codes, the conversion and the callsign prefix).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace shirl {

// Whether the `size` bytes at `a` and at `b` are the same. Names and most
// values are short: up to 32 bytes are compared as overlapping 8- or 4-byte
// words (plain loads once compiled) instead of in a library call.
inline bool SameBytes(const char* a, const char* b, std::size_t size) {
    const auto word8 = [](const char* p) {
        std::uint64_t w;
        std::memcpy(&w, p, sizeof w);
        return w;
    };
    const auto differ8 = [&](std::size_t at) { return word8(a + at) ^ word8(b + at); };
    if (size >= 8) {
        if (size > 32) return std::memcmp(a, b, size) == 0;
        const std::uint64_t d = differ8(0) | differ8(size - 8);
        return size <= 16 ? d == 0 : (d | differ8(8) | differ8(size - 16)) == 0;
    }
    if (size >= 4) {
        std::uint32_t x0, y0, x1, y1;
        std::memcpy(&x0, a, 4);
        std::memcpy(&y0, b, 4);
        std::memcpy(&x1, a + size - 4, 4);
        std::memcpy(&y1, b + size - 4, 4);
        return ((x0 ^ y0) | (x1 ^ y1)) == 0;
    }
    for (std::size_t i = 0; i < size; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

// A hash of `text`'s bytes (FNV-1a, 32 bits): for the small caches of
// values a run keeps.
inline std::size_t HashOfBytes(std::string_view text) {
    std::uint32_t hash = 2166136261u;
    for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

inline bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsAsciiUpper(char c) { return c >= 'A' && c <= 'Z'; }
inline char ToAsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c; }
// `text` with its ASCII letters in upper case; other bytes as they are.
inline std::string AsciiUpperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = ToAsciiUpper(c);
    return upper;
}

// Puts the ASCII letters of `text` in upper case, in place.
inline void MakeAsciiUpperCase(std::string& text) {
    // Over a pointer range, not indices: a write through char may change
    // the string's size, which the compiler would otherwise read anew for
    // every byte instead of working on many bytes at once.
    for (char *p = text.data(), *end = p + text.size(); p != end; ++p) *p = ToAsciiUpper(*p);
}

// `text` without the blanks and line ends (space, tab, CR, LF) around it.
inline std::string_view TrimBlanksAndLineEnds(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

inline bool IsCSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Whether `a` and `b` are equal without regard to ASCII letter case.
inline bool SameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ToAsciiUpper(a[i]) != ToAsciiUpper(b[i])) return false;
    return true;
}

// Whether `text` equals `upper` (an upper-case name) without regard to case.
inline bool EqualsNoCase(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        // Names mostly come in upper case already: one comparison a byte.
        if (c != upper[i] && ToAsciiUpper(c) != upper[i]) return false;
    }
    return true;
}

// The strtol reading of a number: leading white space, an optional sign,
// decimal digits; no digits read as 0. Saturates instead of overflowing.
inline std::int64_t ReadDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (; i < text.size() && IsAsciiDigit(text[i]); ++i) {
        const int d = text[i] - '0';
        value = (value > (kMax - d) / 10) ? kMax : value * 10 + d;
    }
    return negative ? -value : value;
}

} // namespace shirl
