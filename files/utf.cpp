#include "files/utf.h"

#include "base/utf8.h"

namespace shirl {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes the code point at `pos` of `utf8` and moves past it; a byte that
// starts no valid sequence is consumed alone and gives U+FFFD.
char32_t NextCodePoint(std::string_view utf8, std::size_t& pos, bool& ok) {
    char32_t code = 0;
    if (DecodeUtf8(utf8, &pos, &code)) return code;
    ok = false;
    ++pos;
    return kReplacement;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

} // namespace

std::u16string Utf16FromUtf8(std::string_view utf8, bool* valid) {
    std::u16string out;
    out.reserve(utf8.size());
    bool ok = true;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t code = NextCodePoint(utf8, pos, ok);
        if (code < 0x10000) {
            out.push_back(static_cast<char16_t>(code));
        } else {
            out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        }
    }
    if (valid != nullptr) *valid = ok;
    return out;
}

std::string Utf8FromUtf16(std::u16string_view utf16, bool* valid) {
    std::string out;
    out.reserve(utf16.size());
    bool ok = true;
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t code = utf16[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            ok = false;
            code = kReplacement;
        }
        AppendUtf8(out, code);
    }
    if (valid != nullptr) *valid = ok;
    return out;
}

#ifdef _WIN32
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide text is UTF-16");

std::wstring WideFromUtf8(std::string_view utf8, bool* valid) {
    const std::u16string text = Utf16FromUtf8(utf8, valid);
    return std::wstring(text.begin(), text.end());
}

std::string Utf8FromWide(std::wstring_view wide, bool* valid) {
    const std::u16string text(wide.begin(), wide.end());
    return Utf8FromUtf16(text, valid);
}
#endif

} // namespace shirl
