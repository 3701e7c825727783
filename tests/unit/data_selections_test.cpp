// The Selections: codes, names and attributes by index, the named constants,
// the dialog's display order, the area codes in byte order, and the code
// lookup in any letter case.
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
        EXPECT_TRUE(Selection(s).IsValid()) << s;
        EXPECT_EQ(Selection(s).Code(), expected[s].first) << s;
        EXPECT_EQ(Selection(s).Name(), expected[s].second) << s;
    }
    for (const Selection none : {Selection(), Selection(-1), Selection(kSelectionCount), Selection(1 << 30)}) {
        EXPECT_FALSE(none.IsValid()) << none.Index();
        EXPECT_EQ(none.Code(), "");
        EXPECT_EQ(none.Name(), "");
        EXPECT_FALSE(none.IsParty());
        EXPECT_FALSE(none.HasSections());
        EXPECT_FALSE(none.QuietForNewEngland());
    }
}

// The named constants are the rows of their codes.
TEST(SelectionsTest, NamedConstants) {
    const std::pair<Selection, std::string_view> named[] = {
        {selections::kAK, "AK"},   {selections::kAL, "AL"},       {selections::kPA, "PA"},
        {selections::kVA, "VA"},   {selections::kWY, "WY"},       {selections::kMARAC, "MARAC"},
        {selections::k7QP, "7QP"}, {selections::kUSCQP, "USCQP"}, {selections::kMULTI, "MULTI"},
    };
    for (const auto& [selection, code] : named) {
        EXPECT_EQ(selection.Code(), code);
        EXPECT_EQ(FindSelectionByCode(code), selection) << code;
    }
    EXPECT_EQ(Selection(), Selection(-1));
    EXPECT_NE(selections::kAL, selections::kAK);
}

// What the lookup asks of a Selection, carried by data/selections.csv.
TEST(SelectionsTest, Attributes) {
    const std::set<std::string_view> parties = {"MARAC", "MAQP", "NAQP", "NEQP", "7QP", "USCQP", "MULTI"};
    int sections = 0, quiet = 0;
    for (int s = 0; s < kSelectionCount; ++s) {
        const Selection selection(s);
        SCOPED_TRACE(std::string(selection.Code()));
        EXPECT_EQ(selection.IsParty(), parties.count(selection.Code()) == 1);
        sections += selection.HasSections() ? 1 : 0;
        quiet += selection.QuietForNewEngland() ? 1 : 0;
    }
    EXPECT_EQ(sections, 1);
    EXPECT_TRUE(selections::kPA.HasSections());
    EXPECT_EQ(quiet, 2);
    EXPECT_TRUE(selections::kNEQP.QuietForNewEngland());
    EXPECT_TRUE(selections::kMULTI.QuietForNewEngland());
}

TEST(SelectionsTest, AreaCodesStrictlyAscending) {
    const auto codes = AreaSelectionCodes();
    ASSERT_EQ(codes.size(), 54u);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const Selection selection(static_cast<int>(i));
        EXPECT_EQ(codes[i], selection.Code());
        EXPECT_FALSE(selection.IsParty()) << codes[i];
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
    constexpr std::size_t kRows = 53;
    ASSERT_EQ(order.size(), kRows);
    const int expected[kRows] = {1,  3,  2,  4,  5,  7,  6,  9,  10, 11, 12, 14, 15, 16, 13, 17, 18, 19,
                                 21, 23, 24, 26, 25, 30, 34, 31, 32, 33, 35, 28, 29, 36, 37, 38, 39, 40,
                                 41, 43, 44, 45, 46, 49, 48, 50, 52, 51, 60, 58, 55, 54, 57, 56, 59};
    std::set<int> seen;
    for (std::size_t r = 0; r < order.size(); ++r) {
        EXPECT_EQ(order[r].Index(), expected[r]) << "row " << r;
        EXPECT_TRUE(seen.insert(order[r].Index()).second) << "row " << r << " repeats " << order[r].Index();
    }
    EXPECT_EQ(order[0].Name(), "Alabama");
    EXPECT_EQ(order[2].Name(), "Arkansas");
    EXPECT_EQ(order[14].Name(), "Iowa");
    EXPECT_EQ(order[41].Name(), "Vermont");
    EXPECT_EQ(order[46].Name(), "7QP/INQP/NEQP/DE");
    EXPECT_EQ(order[52].Name(), "US Counties QSO Party");
    // The first 46 rows are in alphabetical order of display name.
    for (std::size_t r = 1; r < 46; ++r) { EXPECT_LT(order[r - 1].Name(), order[r].Name()) << r; }
    // Never offered.
    for (const std::string_view hidden : {"AK", "CT", "MA", "ME", "MT", "RI", "UT", "WY"}) {
        EXPECT_EQ(seen.count(FindSelectionByCode(hidden)->Index()), 0u) << hidden;
    }
}

TEST(SelectionsTest, FindSelectionByCodeInAnyCase) {
    for (int s = 0; s < kSelectionCount; ++s) {
        const std::string code(Selection(s).Code());
        std::string lower = code;
        for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        EXPECT_EQ(FindSelectionByCode(code), Selection(s)) << code;
        EXPECT_EQ(FindSelectionByCode(lower), Selection(s)) << lower;
    }
    EXPECT_EQ(FindSelectionByCode("usCqp"), selections::kUSCQP);
    EXPECT_EQ(FindSelectionByCode("7qp"), selections::k7QP);
    EXPECT_EQ(FindSelectionByCode("Multi"), selections::kMULTI);
    for (const std::string_view bad : {"", "A", "ALA", "XX", "DC", "7QP ", " AL", "NAQPX", "USCQ"}) {
        EXPECT_FALSE(FindSelectionByCode(bad).has_value()) << '"' << bad << '"';
    }
    EXPECT_FALSE(FindSelectionByCode(std::string_view("AL\0", 3)).has_value());
    EXPECT_FALSE(FindSelectionByCode("\xC3\xA9").has_value());
}

} // namespace
} // namespace shirl
