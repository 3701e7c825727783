// The Selections: codes and names by index, the dialog's display order, the
// 54 codes in byte order, and the code lookup in any letter case.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "data/selections.h"

namespace shirl {
namespace {

TEST(SelectionsTest, CodesAndNamesByIndex) {
    const std::pair<std::string_view, std::string_view> expected[kSelectionCount] = {
        {"AK", "Alaska"}, {"AL", "Alabama"}, {"AR", "Arkansas"}, {"AZ", "Arizona"}, {"BC", "British Columbia"},
        {"CA", "California"}, {"CO", "Colorado"}, {"CP", "Canadian Prairies"}, {"CT", "Connecticut"},
        {"DE", "Delaware"}, {"FL", "Florida"}, {"GA", "Georgia"}, {"HI", "Hawaii"}, {"IA", "Iowa"},
        {"ID", "Idaho"}, {"IL", "Illinois"}, {"IN", "Indiana"}, {"KS", "Kansas"}, {"KY", "Kentucky"},
        {"LA", "Louisiana"}, {"MA", "Massachusetts"}, {"MD", "Maryland"}, {"ME", "Maine"}, {"MI", "Michigan"},
        {"MN", "Minnesota"}, {"MO", "Missouri"}, {"MS", "Mississippi"}, {"MT", "Montana"},
        {"NC", "North Carolina"}, {"ND", "North Dakota"}, {"NE", "Nebraska"}, {"NH", "New Hampshire"},
        {"NJ", "New Jersey"}, {"NM", "New Mexico"}, {"NV", "Nevada"}, {"NY", "New York"}, {"OH", "Ohio"},
        {"OK", "Oklahoma"}, {"ON", "Ontario"}, {"OR", "Oregon"}, {"PA", "Pennsylvania"}, {"QC", "Quebec"},
        {"RI", "Rhode Island"}, {"SC", "South Carolina"}, {"SD", "South Dakota"}, {"TN", "Tennessee"},
        {"TX", "Texas"}, {"UT", "Utah"}, {"VA", "Virginia"}, {"VT", "Vermont"}, {"WA", "Washington"},
        {"WI", "Wisconsin"}, {"WV", "West Virginia"}, {"WY", "Wyoming"}, {"MARAC", "MARAC CW Contest"},
        {"MAQP", "Mid-Atlantic QSO Party"}, {"NAQP", "North American QSO Party"},
        {"NEQP", "New England QSO Party"}, {"7QP", "7-Land QSO Party"}, {"USCQP", "US Counties QSO Party"},
        {"MULTI", "7QP/INQP/NEQP/DE"},
    };
    for (int s = 0; s < kSelectionCount; ++s) {
        EXPECT_EQ(SelectionCode(s), expected[s].first) << s;
        EXPECT_EQ(SelectionName(s), expected[s].second) << s;
    }
    EXPECT_EQ(SelectionCode(-1), "");
    EXPECT_EQ(SelectionCode(kSelectionCount), "");
    EXPECT_EQ(SelectionName(-1), "");
    EXPECT_EQ(SelectionName(kSelectionCount), "");
}

TEST(SelectionsTest, StateCodesStrictlyAscending) {
    const auto codes = StateSelectionCodes();
    ASSERT_EQ(codes.size(), static_cast<std::size_t>(kStateSelectionCount));
    for (std::size_t i = 0; i < codes.size(); ++i) {
        EXPECT_EQ(codes[i], SelectionCode(static_cast<int>(i)));
        EXPECT_EQ(codes[i].size(), 2u);
        if (i > 0) { EXPECT_LT(codes[i - 1], codes[i]) << codes[i]; }
    }
    // The neighbours where a wrong order would show first.
    EXPECT_EQ(codes[6], "CO");
    EXPECT_EQ(codes[7], "CP");
    EXPECT_EQ(codes[8], "CT");
    EXPECT_EQ(codes[34], "NV");
    EXPECT_EQ(codes[35], "NY");
    EXPECT_EQ(codes[48], "VA");
    EXPECT_EQ(codes[49], "VT");
}

TEST(SelectionsTest, DisplayOrder) {
    const auto order = DisplayOrder();
    ASSERT_EQ(order.size(), static_cast<std::size_t>(kDisplayRowCount));
    const int expected[kDisplayRowCount] = {1,  3,  2,  4,  5,  7,  6,  9,  10, 11, 12, 14, 15, 16,
                                            13, 17, 18, 19, 21, 23, 24, 26, 25, 30, 34, 31, 32, 33,
                                            35, 28, 29, 36, 37, 38, 39, 40, 41, 43, 44, 45, 46, 49,
                                            48, 50, 52, 51, 60, 58, 55, 54, 57, 56, 59};
    std::set<int> seen;
    for (std::size_t r = 0; r < order.size(); ++r) {
        EXPECT_EQ(order[r], expected[r]) << "row " << r;
        EXPECT_TRUE(seen.insert(order[r]).second) << "row " << r << " repeats " << order[r];
    }
    EXPECT_EQ(SelectionName(order[0]), "Alabama");
    EXPECT_EQ(SelectionName(order[2]), "Arkansas");
    EXPECT_EQ(SelectionName(order[14]), "Iowa");
    EXPECT_EQ(SelectionName(order[41]), "Vermont");
    EXPECT_EQ(SelectionName(order[46]), "7QP/INQP/NEQP/DE");
    EXPECT_EQ(SelectionName(order[52]), "US Counties QSO Party");
    // The first 46 rows are in alphabetical order of display name.
    for (std::size_t r = 1; r < 46; ++r) { EXPECT_LT(SelectionName(order[r - 1]), SelectionName(order[r])) << r; }
    // Never offered.
    for (const int hidden : {0, 8, 20, 22, 27, 42, 47, 53}) { EXPECT_EQ(seen.count(hidden), 0u) << hidden; }
}

TEST(SelectionsTest, FindSelectionByCodeInAnyCase) {
    for (int s = 0; s < kSelectionCount; ++s) {
        const std::string code(SelectionCode(s));
        std::string lower = code;
        for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        EXPECT_EQ(FindSelectionByCode(code), s) << code;
        EXPECT_EQ(FindSelectionByCode(lower), s) << lower;
    }
    EXPECT_EQ(FindSelectionByCode("usCqp"), 59);
    EXPECT_EQ(FindSelectionByCode("7qp"), 58);
    EXPECT_EQ(FindSelectionByCode("Multi"), 60);
    for (const std::string_view bad : {"", "A", "ALA", "XX", "DC", "7QP ", " AL", "NAQPX", "USCQ"}) {
        EXPECT_EQ(FindSelectionByCode(bad), -1) << '"' << bad << '"';
    }
    EXPECT_EQ(FindSelectionByCode(std::string_view("AL\0", 3)), -1);
    EXPECT_EQ(FindSelectionByCode("\xC3\xA9"), -1);
}

} // namespace
} // namespace shirl
