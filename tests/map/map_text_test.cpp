// Text in the map: widths from the font's own advances, lines that fit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "map/map_text.h"

namespace shirl {
namespace {

TEST(MapText, WidthsAndLinesThatFit) {
    // DejaVu Sans at 20 px: "i" 569/2048 em, "W" 2025/2048 em; rounded up.
    EXPECT_EQ(TextWidth("i", 20), 6);
    EXPECT_EQ(TextWidth("W", 20), 20);
    EXPECT_EQ(TextWidth("iiiiiiiiii", 20), 56);
    EXPECT_EQ(TextWidth("\xC3\x89", 20), TextWidth("\xE2\x82\xAC", 20)); // one character each, outside ASCII
    struct Case {
        std::string text;
        int width;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"iii iii", 100, {"iii iii"}},
        {"WWW WWW", 70, {"WWW", "WWW"}},
        {"WWWWWWWW", 70, {"WWW", "WWW", "WW"}}, // a word wider than a line is cut
        {"", 70, {""}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WrappedLines(c.text, 20, c.width), c.lines) << c.text;
        for (const std::string& line : WrappedLines(c.text, 20, c.width)) EXPECT_LE(TextWidth(line, 20), c.width) << line;
    }
    EXPECT_EQ(XmlEscaped("a<b & \"c\">"), "a&lt;b &amp; &quot;c&quot;&gt;");
}

} // namespace
} // namespace shirl
