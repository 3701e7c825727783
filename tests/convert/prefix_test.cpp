// Callsign prefix extraction: the documented examples, the rules one by one,
// and hostile input (a million slashes or characters: no recursion per
// slash, no length limits).
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

#include "convert/prefix.h"

namespace shirl {
namespace {

struct PrefixCase {
    std::string_view callsign;
    int result;
    std::string_view prefix; // checked only when result is 0
};

std::ostream& operator<<(std::ostream& os, const PrefixCase& c) {
    return os << '"' << c.callsign << '"';
}

class PrefixExamples : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(PrefixExamples, ResultAndPrefix) {
    const PrefixCase& c = GetParam();
    const std::string before(c.callsign);
    std::string prefix = "stale";
    EXPECT_EQ(ExtractCallsignPrefix(before, prefix), c.result);
    if (c.result == 0) {
        EXPECT_EQ(prefix, c.prefix);
    }
    EXPECT_EQ(before, c.callsign) << "the callsign must not change";
}

// The documented examples, row by row.
INSTANTIATE_TEST_SUITE_P(WorkedExamples, PrefixExamples,
                         ::testing::Values(PrefixCase{"N0CALL", 0, "N0"},
                                           PrefixCase{"VE3CALL", 0, "VE3"},
                                           PrefixCase{"KH6CALL", 0, "KH6"},
                                           PrefixCase{"2E0CALL", 0, "2E0"},
                                           PrefixCase{"3DA0CALL", 0, "3DA0"},
                                           PrefixCase{"N100CALL", 0, "N100"},
                                           PrefixCase{"KL7", 0, "KL7"},
                                           PrefixCase{"K", 0, "K0"},
                                           PrefixCase{"ABC", 0, "ABC0"},
                                           PrefixCase{"ve3call", 0, "ve3"},
                                           PrefixCase{"N0CALL/P", 0, "N0"},
                                           PrefixCase{"N0CALL/f", 0, "N0"},
                                           PrefixCase{"N0CALL/F", 0, "F0"},
                                           PrefixCase{"N0CALL/4", 0, "N4"},
                                           PrefixCase{"KH6CALL/7", 0, "KH7"},
                                           PrefixCase{"N0CALL/MM", 0, "N0"},
                                           PrefixCase{"N0CALL/mm", 0, "mm0"},
                                           PrefixCase{"N0CALL/KH6", 0, "KH6"},
                                           PrefixCase{"N0CALL/VE3", 0, "VE3"},
                                           PrefixCase{"N0CALL/R1", 0, "R1"},
                                           PrefixCase{"N0CALL/DL", 0, "DL0"},
                                           PrefixCase{"DL/N0CALL", 0, "DL0"},
                                           PrefixCase{"VE3/N0CALL/P", 0, "VE3"},
                                           PrefixCase{"VE3/KH6", 1, ""},
                                           PrefixCase{"/", 1, ""},
                                           PrefixCase{"N0CALL/-", 2, ""},
                                           PrefixCase{"N0CALL/", 2, ""},
                                           PrefixCase{"/N0CALL", 2, ""},
                                           PrefixCase{"/5", 2, ""},
                                           PrefixCase{"123", 2, ""},
                                           PrefixCase{"", 2, ""}));

// The rules one by one.
INSTANTIATE_TEST_SUITE_P(
    Rules, PrefixExamples,
    ::testing::Values(
        // Single-letter suffixes; only upper-case F, G and I are countries.
        PrefixCase{"N0CALL/G", 0, "G0"}, PrefixCase{"N0CALL/I", 0, "I0"},
        PrefixCase{"N0CALL/g", 0, "N0"}, PrefixCase{"N0CALL/i", 0, "N0"},
        PrefixCase{"N0CALL/M", 0, "N0"},
        // Digit suffixes. The first character is never replaced.
        PrefixCase{"ABC/4", 0, "ABC0"}, PrefixCase{"2E0CALL/5", 0, "2E5"},
        PrefixCase{"KK/4", 0, "KK0"}, PrefixCase{"K/4", 1, ""}, PrefixCase{"4/5", 1, ""},
        PrefixCase{"4AB/5", 0, "4AB0"}, PrefixCase{"24/5", 2, ""}, PrefixCase{"4A1/5", 0, "4A5"},
        PrefixCase{"N0C1LL/7", 0, "N0"}, // the last digit (1) becomes 7: N0C7LL -> N0
        PrefixCase{"N0CALL/ ", 2, ""},    // a one-character suffix that is neither
        // The portable and operating suffixes, upper case only.
        PrefixCase{"N0CALL/AA", 0, "N0"}, PrefixCase{"N0CALL/AE", 0, "N0"},
        PrefixCase{"N0CALL/AG", 0, "N0"}, PrefixCase{"N0CALL/AM", 0, "N0"},
        PrefixCase{"N0CALL/LH", 0, "N0"}, PrefixCase{"N0CALL/am", 0, "am0"},
        // Three or more characters without a digit.
        PrefixCase{"N0CALL/QRP", 0, "N0"}, PrefixCase{"KH6/QRPP", 0, "KH6"}, PrefixCase{"KH6/QRP", 1, ""},
        // A leading number above 9 (read as strtol reads: blanks, sign, digits).
        PrefixCase{"N0CALL/10", 0, "N0"}, PrefixCase{"N0CALL/+12", 0, "N0"},
        PrefixCase{"N0CALL/ 12", 0, "N0"}, PrefixCase{"N0CALL/99999999999999999999999", 0, "N0"},
        PrefixCase{"N0CALL/-12", 2, ""}, // -12 is not > 9; the shorter part has no letter
        // A leading 0.
        PrefixCase{"N0CALL/00", 0, "N0"}, PrefixCase{"N0CALL/0A", 0, "N0"},
        // Otherwise the shorter part.
        PrefixCase{"KH6/N0CALL", 0, "KH6"}, PrefixCase{"VE3/N0CALL", 0, "VE3"},
        PrefixCase{"N0CALL/5A", 0, "5A0"}, PrefixCase{"N0CALL/W1", 0, "W1"},
        // Several slashes are taken apart from the right, digit copies included.
        PrefixCase{"VE3/N0CALL/4", 0, "VE3"}, // W = VE3/N4CALL -> shorter part VE3
        PrefixCase{"N0CALL/P/4", 0, "N4"},    // W = N4CALL/P, then N4CALL
        PrefixCase{"X1Y1/3/4", 0, "X1"},      // W = X1Y1/4, then X1Y4
        PrefixCase{"AB1C2/5/7", 0, "AB1"},    // W = AB1C2/7, then AB1C7
        PrefixCase{"N0CALL/QRP/P", 0, "N0"}, PrefixCase{"N0CALL//", 2, ""}, PrefixCase{"//", 2, ""},
        // Without a slash: characters that are neither letters nor digits.
        PrefixCase{"N-0CALL", 0, "N-0"}, PrefixCase{"N0-1CALL", 0, "N0-1"},
        PrefixCase{"-N0CALL", 2, ""}, PrefixCase{"1-N0CALL", 2, ""}, PrefixCase{"N", 0, "N0"},
        PrefixCase{"N0", 0, "N0"}, PrefixCase{"N00", 0, "N00"}, PrefixCase{"1A", 0, "1A0"},
        PrefixCase{"N\x80"
                   "0CALL",
                   0, "N\x80"
                      "0"}));

// The rules written as the plain recursion, for short texts: the
// loop of prefix.cpp must give the same result and prefix for every input.
int ReferencePrefix(const std::string& call, std::string& prefix) {
    auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const auto slash = call.rfind('/');
    if (slash != std::string::npos) {
        const std::string a = call.substr(0, slash), b = call.substr(slash + 1);
        if (a.size() == b.size()) return 1;
        if (b.size() == 1) {
            if (isLetter(b[0]))
                return ReferencePrefix(b[0] == 'F' || b[0] == 'G' || b[0] == 'I' ? b : a, prefix);
            if (!isDigit(b[0])) return 2;
            std::string w = a;
            for (std::size_t i = w.size(); i-- > 1;) {
                if (isDigit(w[i])) {
                    w[i] = b[0];
                    break;
                }
            }
            return ReferencePrefix(w, prefix);
        }
        bool hasDigit = false;
        for (char c : b) hasDigit = hasDigit || isDigit(c);
        const long number = std::strtol(b.c_str(), nullptr, 10);
        if (b == "AA" || b == "AE" || b == "AG" || b == "AM" || b == "LH" || b == "MM" ||
            (b.size() >= 3 && !hasDigit) || number > 9 || (!b.empty() && b[0] == '0'))
            return ReferencePrefix(a, prefix);
        return ReferencePrefix(a.size() < b.size() ? a : b, prefix);
    }
    std::size_t pos = 0;
    while (pos < call.size() && isDigit(call[pos])) ++pos;
    if (pos == call.size() || !isLetter(call[pos])) return 2;
    ++pos;
    while (pos < call.size() && !isDigit(call[pos])) ++pos;
    if (pos == call.size()) {
        prefix = call + "0";
        return 0;
    }
    ++pos;
    while (pos < call.size() && !isLetter(call[pos])) ++pos;
    prefix = call.substr(0, pos);
    return 0;
}

TEST(Prefix, SameAsThePlainRecursionOnRandomTexts) {
    constexpr std::string_view alphabet = "/////AFGIMLHmfK0012345679 -+.";
    std::mt19937 random(20260107);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 14);
    for (int n = 0; n < 200'000; ++n) {
        std::string call;
        for (int i = length(random); i > 0; --i) call += alphabet[pick(random)];
        std::string expected, actual = "junk";
        const int want = ReferencePrefix(call, expected);
        ASSERT_EQ(ExtractCallsignPrefix(call, actual), want) << '"' << call << '"';
        if (want == 0) {
            ASSERT_EQ(actual, expected) << '"' << call << '"';
        }
    }
}

TEST(Prefix, DigitSuffixPrefixUsesTheChangedCopy) {
    // The prefix of a digit-suffix callsign comes from the changed copy; the
    // output string may be reused from call to call.
    std::string prefix;
    ASSERT_EQ(ExtractCallsignPrefix("KH6CALL/7", prefix), 0);
    EXPECT_EQ(prefix, "KH7");
    ASSERT_EQ(ExtractCallsignPrefix("N0CALL", prefix), 0);
    EXPECT_EQ(prefix, "N0");
    ASSERT_EQ(ExtractCallsignPrefix("VE3/N0CALL/4", prefix), 0);
    EXPECT_EQ(prefix, "VE3");
}

TEST(Prefix, MillionSlashes) {
    // "/" * 1e6: the last slash splits into 999999 slashes and an empty part;
    // the empty part is the shorter one and has no letter: 2. No stack growth.
    const std::string callsign(1'000'000, '/');
    std::string prefix;
    EXPECT_EQ(ExtractCallsignPrefix(callsign, prefix), 2);
    EXPECT_EQ(callsign, std::string(1'000'000, '/'));
}

TEST(Prefix, MillionSlashesAfterACallsign) {
    // N0CALL followed by a million "/P": each suffix P sends the routine to the
    // part before it, one level per slash (a recursive version would need a
    // million stack frames).
    std::string callsign = "N0CALL";
    for (int i = 0; i < 1'000'000; ++i) callsign += "/P";
    std::string prefix;
    EXPECT_EQ(ExtractCallsignPrefix(callsign, prefix), 0);
    EXPECT_EQ(prefix, "N0");
}

TEST(Prefix, MillionDigitSuffixes) {
    // KH6CALL/7/7/...: every level replaces a digit in the working copy.
    std::string callsign = "KH6CALL";
    for (int i = 0; i < 1'000'000; ++i) callsign += "/7";
    std::string prefix;
    EXPECT_EQ(ExtractCallsignPrefix(callsign, prefix), 0);
    EXPECT_EQ(prefix, "KH7");
}

TEST(Prefix, MillionCharacters) {
    std::string prefix;
    // No digit after the first letter: the whole text and a 0 (no 63-char limit).
    const std::string letters(1'000'000, 'A');
    EXPECT_EQ(ExtractCallsignPrefix(letters, prefix), 0);
    EXPECT_EQ(prefix.size(), 1'000'001u);
    EXPECT_EQ(prefix, letters + "0");

    // Digits then letters: the prefix ends at the end of the first digit run.
    const std::string longCall = "N" + std::string(999'998, '1') + "A";
    EXPECT_EQ(ExtractCallsignPrefix(longCall, prefix), 0);
    EXPECT_EQ(prefix, longCall.substr(0, 999'999));

    // Only digits: no letter, 2.
    EXPECT_EQ(ExtractCallsignPrefix(std::string(1'000'000, '9'), prefix), 2);

    // A one-digit suffix after a part far longer than 15 characters (no 16-byte copy).
    const std::string longPart = "KH6" + std::string(999'990, 'X') + "/7";
    EXPECT_EQ(ExtractCallsignPrefix(longPart, prefix), 0);
    EXPECT_EQ(prefix, "KH7");
}

} // namespace
} // namespace shirl
