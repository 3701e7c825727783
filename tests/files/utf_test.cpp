// The file layer's name conversions: UTF-8 <-> UTF-16 in every script a
// name may use, invalid input shown as U+FFFD, and the long-path form.
#include <gtest/gtest.h>

#include <string>

#include "files/long_path.h"
#include "files/utf.h"

namespace shirl {
namespace {

struct ScriptCase {
    const char* label;
    std::string utf8;
    std::u16string utf16;
};

std::ostream& operator<<(std::ostream& os, const ScriptCase& c) { return os << c.label; }

class Utf16RoundTrip : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(Utf16RoundTrip, BothWaysAndValid) {
    bool valid = false;
    EXPECT_EQ(Utf16FromUtf8(GetParam().utf8, &valid), GetParam().utf16);
    EXPECT_TRUE(valid);
    valid = false;
    EXPECT_EQ(Utf8FromUtf16(GetParam().utf16, &valid), GetParam().utf8);
    EXPECT_TRUE(valid);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, Utf16RoundTrip,
    ::testing::Values(ScriptCase{"ascii", "in.adi", u"in.adi"},
                      ScriptCase{"latin", "Zo\xC3\xAB \xC3\xBC\xC3\xB1.adi", {u'Z', u'o', 0xEB, u' ', 0xFC, 0xF1, u'.', u'a', u'd', u'i'}},
                      ScriptCase{"cyrillic", "\xD0\x96\xD1\x83\xD1\x80", {0x0416, 0x0443, 0x0440}},
                      ScriptCase{"greek", "\xCE\xA9\xCE\xB1", {0x03A9, 0x03B1}},
                      ScriptCase{"chinese", "\xE6\x97\xA5\xE5\xBF\x97", {0x65E5, 0x5FD7}},
                      ScriptCase{"emoji_surrogate_pair", "\xF0\x9F\x93\xBB", {0xD83D, 0xDCFB}},
                      ScriptCase{"largest_code_point", "\xF4\x8F\xBF\xBF", {0xDBFF, 0xDFFF}},
                      ScriptCase{"embedded_nul", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
                      ScriptCase{"empty", "", u""}),
    [](const ::testing::TestParamInfo<ScriptCase>& info) { return std::string(info.param.label); });

struct InvalidUtf8Case {
    const char* label;
    std::string utf8;
    std::u16string expected;  // each bad byte one U+FFFD, the rest kept
};

std::ostream& operator<<(std::ostream& os, const InvalidUtf8Case& c) { return os << c.label; }

class InvalidUtf8 : public ::testing::TestWithParam<InvalidUtf8Case> {};

TEST_P(InvalidUtf8, ShownAsReplacementNeverDropped) {
    bool valid = true;
    EXPECT_EQ(Utf16FromUtf8(GetParam().utf8, &valid), GetParam().expected);
    EXPECT_FALSE(valid);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, InvalidUtf8,
    ::testing::Values(InvalidUtf8Case{"latin1_byte", "Zo\xEB.adi", {u'Z', u'o', 0xFFFD, u'.', u'a', u'd', u'i'}},
                      InvalidUtf8Case{"stray_continuation", "a\x80z", {u'a', 0xFFFD, u'z'}},
                      InvalidUtf8Case{"overlong_slash", "\xC0\xAF", {0xFFFD, 0xFFFD}},
                      InvalidUtf8Case{"overlong_three_bytes", "\xE0\x80\xAF", {0xFFFD, 0xFFFD, 0xFFFD}},
                      InvalidUtf8Case{"encoded_surrogate", "\xED\xA0\x80", {0xFFFD, 0xFFFD, 0xFFFD}},
                      InvalidUtf8Case{"beyond_last_code_point", "\xF4\x90\x80\x80", {0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}},
                      InvalidUtf8Case{"cut_at_the_end", "ab\xE6\x97", {u'a', u'b', 0xFFFD, 0xFFFD}},
                      InvalidUtf8Case{"lead_then_ascii", "\xC3(", {0xFFFD, u'('}},
                      InvalidUtf8Case{"byte_ff", "\xFF", {0xFFFD}}),
    [](const ::testing::TestParamInfo<InvalidUtf8Case>& info) { return std::string(info.param.label); });

TEST(InvalidUtf16, UnpairedSurrogatesBecomeReplacement) {
    const std::pair<std::u16string, std::string> cases[] = {
        {{u'a', 0xD83D}, "a\xEF\xBF\xBD"},                 // high surrogate at the end
        {{0xDCFB, u'b'}, "\xEF\xBF\xBD" "b"},              // low surrogate alone
        {{0xD83D, u'x', 0xDCFB}, "\xEF\xBF\xBDx\xEF\xBF\xBD"},  // split pair
    };
    for (const auto& [utf16, expected] : cases) {
        bool valid = true;
        EXPECT_EQ(Utf8FromUtf16(utf16, &valid), expected);
        EXPECT_FALSE(valid);
    }
}

TEST(LongPathForm, PrefixOnlyForLongFullPaths) {
    const std::u16string folder(kLongPathFrom, u'd');
    const std::u16string shortDrive = u"C:\\logs\\in.adi";
    const std::u16string longDrive = u"C:\\" + folder + u"\\in.adi";
    const std::u16string longShare = u"\\\\server\\share\\" + folder;
    const std::u16string prefixed = u"\\\\?\\C:\\" + folder;
    const std::u16string device = u"\\\\.\\" + folder;
    const std::pair<std::u16string, std::u16string> cases[] = {
        {shortDrive, shortDrive},
        {longDrive, u"\\\\?\\" + longDrive},
        {longShare, u"\\\\?\\UNC\\server\\share\\" + folder},
        {prefixed, prefixed},
        {device, device},
    };
    for (const auto& [full, expected] : cases) EXPECT_EQ(LongPathForm(full), expected);
    const std::u16string justShort(kLongPathFrom - 4, u'x');
    EXPECT_EQ(LongPathForm(u"C:\\" + justShort), u"C:\\" + justShort);  // 247 characters
    EXPECT_EQ(LongPathForm(u"C:\\" + justShort + u"x"), u"\\\\?\\C:\\" + justShort + u"x");  // 248
}

} // namespace
} // namespace shirl
