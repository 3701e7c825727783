#pragma once
// UTF-8 <-> UTF-16 for the wide Win32 calls; invalid input becomes U+FFFD
// rather than being cut short.
#include <string>

namespace shirl {

// UTF-16 of a UTF-8 text.
std::wstring WideFromUtf8(const std::string& text);

// UTF-8 of a UTF-16 text.
std::string Utf8FromWide(const std::wstring& text);

} // namespace shirl
