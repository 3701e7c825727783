#pragma once
// UTF-8 <-> UTF-16, the two forms a name takes: the core keeps UTF-8, the
// Windows API takes UTF-16. A sequence that is not valid (a stray byte, an
// overlong form, an unpaired surrogate) becomes U+FFFD, never lost silently:
// the `valid` flag tells a caller that must refuse such a name.
#include <string>
#include <string_view>

namespace shirl {

// The UTF-16 form of `utf8`; invalid sequences become U+FFFD and clear *valid.
std::u16string Utf16FromUtf8(std::string_view utf8, bool* valid = nullptr);

// The UTF-8 form of `utf16`; unpaired surrogates become U+FFFD and clear *valid.
std::string Utf8FromUtf16(std::u16string_view utf16, bool* valid = nullptr);

#ifdef _WIN32
// Utf16FromUtf8 as the wide text of the Windows API.
std::wstring WideFromUtf8(std::string_view utf8, bool* valid = nullptr);
// Utf8FromUtf16 of the wide text of the Windows API.
std::string Utf8FromWide(std::wstring_view wide, bool* valid = nullptr);
#endif

} // namespace shirl
