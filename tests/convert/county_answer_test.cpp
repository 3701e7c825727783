// The question about a county value: what it is, from which field, for which
// station, and the county-line split that asks it once per part.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/county_answer.h"
#include "convert/county_line_value.h"
#include "data/selections.h"

namespace shirl {
namespace {

struct AnswerCase {
    std::string_view value;
    FieldKind field;
    std::optional<std::string_view> call;
    CountyAnswer::Kind kind;
    std::string_view answer;
    std::size_t messages;
};

class CountyAnswerCases : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(CountyAnswerCases, KindValueAndMessages) {
    const AnswerCase& c = GetParam();
    const std::string value(c.value);
    const CountyAnswer answer =
        AnswerCountyValue(value, CountyQuestion{selections::kAL, nullptr, c.call, std::nullopt, c.field, "QTH"});
    EXPECT_EQ(CountyAnswerKindName(answer.kind), CountyAnswerKindName(c.kind)) << c.value;
    EXPECT_EQ(answer.value, c.answer) << c.value;
    EXPECT_EQ(answer.messages.size(), c.messages) << c.value;
    EXPECT_EQ(value, c.value) << "the value is only read";
}

using K = CountyAnswer::Kind;
constexpr auto kWorked = FieldKind::County;
constexpr auto kOwn = FieldKind::MyCounty;
INSTANTIATE_TEST_SUITE_P(
    Table, CountyAnswerCases,
    ::testing::Values(
        // A value is read without regard to letter case, a worked or an own county.
        AnswerCase{"auta", kWorked, "N0CALL", K::County, "AL,Autauga", 0},
        AnswerCase{"auta", kOwn, "N0CALL", K::County, "AL,Autauga", 0},
        AnswerCase{"AUTA", kOwn, "N0CALL", K::County, "AL,Autauga", 0},
        // Converted already, DX, and an own county line stay without a message.
        AnswerCase{"al,autauga", kWorked, "N0CALL", K::Silent, "", 0},
        AnswerCase{"dx", kWorked, "N0CALL", K::Silent, "", 0},
        AnswerCase{"AUT/BAL", kOwn, "N0CALL", K::Silent, "", 0},
        AnswerCase{"DX", kOwn, "N0CALL", K::None, "", 1},
        // A state code is its own answer; a Canadian station's province is silent.
        AnswerCase{"tx", kWorked, "N0CALL", K::State, "TX", 0},
        AnswerCase{"NS", kWorked, "VE1ABC", K::Silent, "", 0},
        AnswerCase{"NS", kWorked, std::nullopt, K::None, "", 1},
        // A county that converts may still carry a message about the call.
        AnswerCase{"AUTA", kWorked, "VE3/KH6", K::County, "AL,Autauga", 1}));

struct LineCase {
    std::string_view value;
    std::vector<std::string_view> parts;
};

class CountyLineCases : public ::testing::TestWithParam<LineCase> {};

TEST_P(CountyLineCases, PartsAndTheirAnswers) {
    const LineCase& c = GetParam();
    const auto parts = CountyLineParts(c.value, CountyQuestion{selections::kAL, nullptr, "N0CALL", std::nullopt,
                                                               FieldKind::Cnty, "CNTY"});
    ASSERT_EQ(parts.size(), c.parts.size()) << c.value;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        EXPECT_EQ(parts[i].text, c.parts[i]);
        EXPECT_EQ(parts[i].answer.kind, CountyAnswer::Kind::County);
        EXPECT_EQ(parts[i].answer.value,
                  AnswerCountyValue(c.parts[i], selections::kAL, "N0CALL", nullptr).value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CountyLineCases,
    ::testing::Values(LineCase{"AUT/BAL", {"AUT", "BAL"}}, LineCase{"aut/bal", {"aut", "bal"}},
                      LineCase{"AUT/XYZ", {}}, LineCase{"AUT", {}}, LineCase{"AUT/BAL,X", {}},
                      LineCase{"AUT/DX", {}}, LineCase{"AUT/BAL/AUT/BAL/AUT/BAL/AUT/BAL/AUT", {}}));

} // namespace
} // namespace shirl
