#pragma once
// Byte-wise text helpers of the C locale, shared by every layer (the reader,
// the Selection codes, the conversion and the callsign prefix).
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace shirl {

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
