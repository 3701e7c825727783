#include "map/map_text.h"

#include <algorithm>
#include <array>

namespace shirl {
namespace {

// Advance widths of DejaVu Sans (Book) for the characters ' ' to '~', in
// units of 1/2048 of the font size (read from the font's hmtx table).
constexpr int kUnitsPerEm = 2048;
constexpr std::array<int, 95> kAdvance{{
    651, 821, 942, 1716, 1303, 1946, 1597, 563, 799, 799, 1024, 1716, 651, 739, 651, 690,
    1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 690, 690, 1716, 1716, 1716, 1087,
    2048, 1401, 1405, 1430, 1577, 1294, 1178, 1587, 1540, 604, 604, 1343, 1141, 1767, 1532, 1612,
    1235, 1612, 1423, 1300, 1251, 1499, 1401, 2025, 1403, 1251, 1403, 799, 690, 799, 1716, 1024,
    1024, 1255, 1300, 1126, 1300, 1260, 721, 1300, 1298, 569, 569, 1186, 569, 1995, 1298, 1253,
    1300, 1300, 842, 1067, 803, 1298, 1212, 1675, 1212, 1212, 1075, 1303, 690, 1303, 1716,
}};
constexpr int kWidest = 2191; // the widest of ASCII and Latin letters up to U+017F, for any other

int AdvanceOf(unsigned char c) {
    if (c >= 32 && c < 127) return kAdvance[c - 32];
    return kWidest;
}

} // namespace

std::string XmlEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

int TextWidth(std::string_view text, int size) {
    long units = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) == 0x80) continue; // a UTF-8 continuation: its character is counted
        units += AdvanceOf(byte);
    }
    return static_cast<int>((units * size + kUnitsPerEm - 1) / kUnitsPerEm);
}

std::vector<std::string> WrappedLines(std::string_view text, int size, int width) {
    std::vector<std::string> lines(1);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view word = text.substr(start, end - start);
        start = end + 1;
        std::string& line = lines.back();
        const std::string joined = line.empty() ? std::string(word) : line + " " + std::string(word);
        if (TextWidth(joined, size) <= width) {
            line = joined;
            continue;
        }
        if (!line.empty()) lines.emplace_back();
        // A word too wide for a line of its own is cut where it has to be.
        while (TextWidth(word, size) > width) {
            std::size_t cut = word.size();
            while (cut > 1 && TextWidth(word.substr(0, cut), size) > width) --cut;
            while (cut > 1 && (static_cast<unsigned char>(word[cut]) & 0xC0) == 0x80) --cut;
            lines.back().assign(word.substr(0, cut));
            lines.emplace_back();
            word.remove_prefix(cut);
        }
        lines.back().assign(word);
    }
    return lines;
}

} // namespace shirl
