// The ARRL/RAC section table and the Canadian province codes and aliases.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "data/abbrev_tables.h"
#include "tests/support/source_csv.h"

namespace shirl {
namespace {

const SectionEntry* FindSection(std::string_view code) {
    // The same binary search and byte order as the abbreviation tables.
    const auto rows = SectionTable();
    long low = 0, high = static_cast<long>(rows.size()) - 1;
    while (low <= high) {
        const long mid = (low + high) / 2;
        const int c = code.compare(rows[static_cast<std::size_t>(mid)].section);
        if (c == 0) return &rows[static_cast<std::size_t>(mid)];
        (c < 0 ? high : low) = c < 0 ? mid - 1 : mid + 1;
    }
    return nullptr;
}

// The table holds the rows of data/sections.csv, strictly ascending.
TEST(SectionTableTest, NinetyRowsStrictlyAscending) {
    const auto rows = SectionTable();
    const auto data = test::SourceCsvRows("data/sections.csv"); // section,state
    ASSERT_EQ(rows.size(), 90u);
    ASSERT_EQ(data.size(), rows.size());
    std::set<std::string_view> states;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(data[i], (std::vector<std::string>{std::string(rows[i].section), std::string(rows[i].state)})) << i;
        if (i > 0) { EXPECT_LT(rows[i - 1].section.compare(rows[i].section), 0) << rows[i].section; }
        if (!rows[i].state.empty()) states.insert(rows[i].state);
        EXPECT_TRUE(rows[i].state.empty() || rows[i].state.size() == 2) << rows[i].section;
    }
    EXPECT_EQ(rows.front().section, "AB");
    EXPECT_EQ(rows.back().section, "WY");
    // The nine states that appear only through their sections are still there.
    for (const std::string_view st : {"CA", "FL", "MA", "MD", "NJ", "NY", "PA", "TX", "WA"}) {
        EXPECT_EQ(states.count(st), 1u) << st;
        const SectionEntry* own = FindSection(st);
        EXPECT_EQ(own, nullptr) << st;
    }
}

TEST(SectionTableTest, Examples) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"EPA", "PA"}, {"WPA", "PA"}, {"MDC", "MD"}, {"SF", "CA"}, {"LAX", "CA"}, {"EMA", "MA"}, {"NFL", "FL"},
        {"NLI", "NY"}, {"STX", "TX"}, {"EWA", "WA"}, {"AK", "AK"}, {"WY", "WY"}, {"ON", ""}, {"PAC", ""},
        {"PR", ""},   {"ONS", ""},
    };
    for (const auto& [code, state] : cases) {
        const SectionEntry* e = FindSection(code);
        ASSERT_NE(e, nullptr) << code;
        EXPECT_EQ(e->state, state) << code;
    }
    for (const std::string_view missing : {"MA", "", "epa", "EP", "EPAX", "ZZZ"}) {
        EXPECT_EQ(FindSection(missing), nullptr) << missing;
    }
}

TEST(SectionTableTest, NoSectionIsAPennsylvaniaAbbreviation) {
    const AbbrevTable& pa = GetAbbrevTable(TableId::Pennsylvania);
    for (const SectionEntry& s : SectionTable()) { EXPECT_EQ(FindAbbrevEntry(s.section, pa), nullptr) << s.section; }
}

TEST(CanadianListsTest, ProvinceCodesAndAliasesInOrder) {
    const auto codes = CanadianProvinceCodes();
    const auto codeRows = test::SourceCsvRows("data/canadian_provinces.csv"); // code
    ASSERT_EQ(codes.size(), 13u);
    ASSERT_EQ(codeRows.size(), codes.size());
    for (std::size_t i = 0; i < codes.size(); ++i) { EXPECT_EQ(codeRows[i], std::vector<std::string>{std::string(codes[i])}) << i; }

    const auto aliases = CanadianAliases();
    const auto aliasRows = test::SourceCsvRows("data/canadian_aliases.csv"); // alias,province
    ASSERT_EQ(aliases.size(), 15u);
    ASSERT_EQ(aliasRows.size(), aliases.size());
    for (std::size_t i = 0; i < aliases.size(); ++i) {
        EXPECT_EQ(aliasRows[i], (std::vector<std::string>{std::string(aliases[i].alias), std::string(aliases[i].province)})) << i;
    }
    // "NFL" is both an alias of NL and the Northern Florida section: the lists are separate.
    ASSERT_NE(FindSection("NFL"), nullptr);
    EXPECT_EQ(FindSection("NFL")->state, "FL");
}

} // namespace
} // namespace shirl
