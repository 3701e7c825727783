#pragma once
// The one UTF-8 decoder: every reader of names and list text checks and
// decodes UTF-8 here, so that all agree on what is valid.
#include <cstddef>
#include <optional>
#include <string_view>

namespace shirl {

// Decodes the code point starting at *pos of `utf8` into *code and moves *pos
// past it. Returns false, *pos unmoved, for a byte that starts no valid
// sequence (a stray or cut sequence, an overlong form, a surrogate, a code
// point above U+10FFFF). *pos must be inside `utf8`.
inline bool DecodeUtf8(std::string_view utf8, std::size_t* pos, char32_t* code) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    const unsigned char lead = byte(*pos);
    if (lead < 0x80) {
        *code = lead;
        ++*pos;
        return true;
    }
    std::size_t length = 0;
    char32_t value = 0, minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    }
    if (length == 0 || utf8.size() - *pos < length) return false;
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(*pos + i);
        if ((next & 0xC0) != 0x80) return false;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    *code = value;
    *pos += length;
    return true;
}

// The offset of the first byte that is not part of valid UTF-8, or nullopt.
inline std::optional<std::size_t> FindInvalidUtf8(std::string_view text) {
    char32_t code = 0;
    for (std::size_t pos = 0; pos < text.size();)
        if (!DecodeUtf8(text, &pos, &code)) return pos;
    return std::nullopt;
}

} // namespace shirl
