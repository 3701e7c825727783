// The Selections: codes, names and attributes as the data gives them, the
// named constants, the dialog's display order, the area codes in byte order,
// and the code lookup in any letter case.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "data/selections.h"
#include "tests/support/source_csv.h"

namespace shirl {
namespace {

// Each Selection is the row of data/selections.csv at its index.
TEST(SelectionsTest, CodesNamesAndAttributesAsInTheData) {
    const auto rows = test::SourceCsvRows("data/selections.csv"); // index,code,name,kind,traits,tables
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(kSelectionCount));
    for (int s = 0; s < kSelectionCount; ++s) {
        const auto& row = rows[static_cast<std::size_t>(s)];
        ASSERT_EQ(row.size(), 6u) << s;
        const Selection selection(s);
        EXPECT_EQ(row[0], std::to_string(s));
        EXPECT_TRUE(selection.IsValid()) << s;
        EXPECT_EQ(selection.Code(), row[1]) << s;
        EXPECT_EQ(selection.Name(), row[2]) << s;
        EXPECT_EQ(selection.IsParty(), row[3] == "party") << s;
        EXPECT_EQ(selection.HasSections(), row[4] == "sections") << s;
        EXPECT_EQ(selection.QuietForNewEngland(), row[4] == "new_england_quiet") << s;
    }
    // What the lookup asks of the data.
    EXPECT_TRUE(selections::kPA.HasSections());
    EXPECT_TRUE(selections::kNEQP.QuietForNewEngland());
    EXPECT_TRUE(selections::kMULTI.QuietForNewEngland());
    EXPECT_TRUE(selections::kUSCQP.IsParty());
    EXPECT_FALSE(selections::kAL.IsParty());
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

// The dialog's rows are data/display_order.csv, each Selection once.
TEST(SelectionsTest, DisplayOrder) {
    const auto order = DisplayOrder();
    const auto rows = test::SourceCsvRows("data/display_order.csv"); // row,selection_index,name
    ASSERT_EQ(order.size(), 53u);
    ASSERT_EQ(rows.size(), order.size());
    std::set<int> seen;
    for (std::size_t r = 0; r < order.size(); ++r) {
        ASSERT_EQ(rows[r].size(), 3u) << "row " << r;
        EXPECT_EQ(rows[r][0], std::to_string(r));
        EXPECT_EQ(std::to_string(order[r].Index()), rows[r][1]) << "row " << r;
        EXPECT_EQ(order[r].Name(), rows[r][2]) << "row " << r;
        EXPECT_TRUE(seen.insert(order[r].Index()).second) << "row " << r << " repeats " << order[r].Index();
    }
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
