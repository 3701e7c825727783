// Operator abbreviation lists: both column forms, what is ignored, and every
// fault with exactly where and what it is (a faulty file adds nothing).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/abbrev_list.h"
#include "data/csv_text.h"
#include "data/selections.h"
#include "tests/support/fault_print.h"

namespace shirl {
namespace {

struct GoodCase {
    const char* label;
    std::string text;
    std::vector<std::pair<std::string, int>> rows; // the whole list afterwards, byte order
};

void PrintTo(const GoodCase& c, std::ostream* os) { *os << c.label; }

class AbbrevListGoodTest : public ::testing::TestWithParam<GoodCase> {};

TEST_P(AbbrevListGoodTest, ReadsRows) {
    const GoodCase& c = GetParam();
    AbbrevList list;
    ASSERT_EQ(list.AddFile(c.text, "SD.csv"), std::nullopt);
    std::vector<std::pair<std::string, int>> rows;
    for (const AbbrevListRow& row : list.rows()) rows.emplace_back(row.abbreviation, row.countyId);
    EXPECT_EQ(rows, c.rows);
    ASSERT_EQ(list.files().size(), 1u);
    EXPECT_EQ(list.files()[0].rowCount, c.rows.size());
}

INSTANTIATE_TEST_SUITE_P(
    Forms, AbbrevListGoodTest,
    ::testing::Values(
        GoodCase{"StateCounty", "abbreviation,state,county\nOGLA,SD,Shannon\n", {{"OGLA", 46113}}},
        GoodCase{"CountyId", "abbreviation,county_id\nOGLA,46113\nAUTA,1001\n", {{"AUTA", 1001}, {"OGLA", 46113}}},
        GoodCase{"AnyCaseAndBlanks", "Abbreviation , STATE,County\n  ogla , sd ,  SHANNON \n", {{"OGLA", 46113}}},
        GoodCase{"ColumnsInOtherOrderAndExtraColumn", "county,note,abbreviation,state\nShannon,renamed 2015,OGLA,SD\n",
                 {{"OGLA", 46113}}},
        GoodCase{"CommentsBlankLinesCrLfBom",
                 "\xEF\xBB\xBF# South Dakota, 2015\r\n\r\nabbreviation,state,county\r\n  # a note\r\nOGLA,SD,Shannon\r\n\r\n",
                 {{"OGLA", 46113}}},
        GoodCase{"QuotedCells", "abbreviation,state,county\n\"LAC\",MT,\"Lewis and Clark\"\n\"PG\",\"MD\",\"Prince George's\"\n",
                 {{"LAC", 30049}, {"PG", 24033}}},
        GoodCase{"SameRowTwiceCountsOnce", "abbreviation,state,county\nOGLA,SD,Shannon\nogla,SD,shannon\n",
                 {{"OGLA", 46113}}},
        GoodCase{"BothFormsAgreeing", "abbreviation,county_id,state,county\nOGLA,46113,SD,Shannon\n", {{"OGLA", 46113}}},
        GoodCase{"NoFinalLineEnd", "abbreviation,county_id\nLNI,15009", {{"LNI", 15009}}}),
    [](const auto& info) { return std::string(info.param.label); });

struct BadCase {
    const char* label;
    std::string text;
    std::string detail; // the fault's line and what is wrong there
};

void PrintTo(const BadCase& c, std::ostream* os) { *os << c.label; }

class AbbrevListBadTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(AbbrevListBadTest, RefusesWholeFile) {
    const BadCase& c = GetParam();
    AbbrevList list;
    ASSERT_EQ(list.AddFile("abbreviation,county_id\nAUTA,1001\n", "first.csv"), std::nullopt);
    EXPECT_EQ(list.AddFile(c.text, "lists/SD.csv"), (Fault{FaultKind::ListFaulty, "lists/SD.csv", c.detail}));
    // Nothing of the faulty file was added.
    ASSERT_EQ(list.rows().size(), 1u);
    EXPECT_EQ(list.rows()[0].abbreviation, "AUTA");
    EXPECT_EQ(list.files().size(), 1u);
}

const std::string kPrefix = "line ";

INSTANTIATE_TEST_SUITE_P(
    Faults, AbbrevListBadTest,
    ::testing::Values(
        BadCase{"UnknownCounty", "abbreviation,state,county\nOGLA,SD,Shannon\nXX,SD,Nowhere\n",
                kPrefix + "3: unknown county \"Nowhere\" in SD"},
        BadCase{"UnknownCountyCloseToOne", "abbreviation,state,county\nXDK,AL,Dekalbb\n",
                kPrefix + "2: unknown county \"Dekalbb\" in AL (did you mean \"De Kalb\"?)"},
        BadCase{"UnknownState", "abbreviation,state,county\nOGLA,XQ,Shannon\n", kPrefix + "2: unknown state \"XQ\""},
        BadCase{"UnknownCountyId", "abbreviation,county_id\nCT,9000\n", kPrefix + "2: unknown county id \"9000\""},
        BadCase{"CountyIdNotANumber", "abbreviation,county_id\nOGLA,46-113\n", kPrefix + "2: unknown county id \"46-113\""},
        BadCase{"EmptyAbbreviation", "abbreviation,state,county\n# c\n ,SD,Shannon\n", kPrefix + "3: empty abbreviation"},
        BadCase{"TwoCountiesInOneFile", "abbreviation,state,county\nOGLA,SD,Shannon\n\nogla,SD,Jackson\n",
                kPrefix + "4: \"OGLA\" is given for two counties: SD,Shannon (line 2 of lists/SD.csv) and SD,Jackson"},
        BadCase{"TwoCountiesAcrossFiles", "abbreviation,county_id\nAUTA,1003\n",
                kPrefix + "2: \"AUTA\" is given for two counties: AL,Autauga (line 2 of first.csv) and AL,Baldwin"},
        BadCase{"NoHeader", "OGLA,SD,Shannon\n",
                kPrefix + "1: no header row (abbreviation,state,county or abbreviation,county_id)"},
        BadCase{"EmptyFile", "", kPrefix + "1: no header row (abbreviation,state,county or abbreviation,county_id)"},
        BadCase{"OnlyComments", "# nothing\n\n", kPrefix + "2: no header row (abbreviation,state,county or abbreviation,county_id)"},
        BadCase{"HeaderOnly", "abbreviation,county_id\n", kPrefix + "1: the list has no rows"},
        BadCase{"MissingCountyColumn", "abbreviation,state\nOGLA,SD\n", kPrefix + "1: missing column \"county\""},
        BadCase{"MissingStateColumn", "abbreviation,county\nOGLA,Shannon\n", kPrefix + "1: missing column \"state\""},
        BadCase{"MissingAbbreviationColumn", "state,county\nSD,Shannon\n", kPrefix + "1: missing column \"abbreviation\""},
        BadCase{"NoCountyColumns", "abbreviation,note\nOGLA,x\n",
                kPrefix + "1: missing columns \"state\" and \"county\" (or \"county_id\")"},
        BadCase{"ColumnTwice", "abbreviation,state,county,State\nOGLA,SD,Shannon,SD\n",
                kPrefix + "1: column \"state\" given twice"},
        BadCase{"RowMissingACell", "abbreviation,state,county\nOGLA,SD\n", kPrefix + "2: 2 columns, the header has 3"},
        BadCase{"RowWithExtraCell", "abbreviation,state,county\nOGLA,SD,Oglala, Lakota\n",
                kPrefix + "2: 4 columns, the header has 3"},
        BadCase{"UnclosedQuote", "abbreviation,state,county\nOGLA,SD,\"Shannon\n",
                kPrefix + "2: a quote is not closed, or text follows a closing quote"},
        BadCase{"FormsDisagree", "abbreviation,county_id,state,county\nOGLA,46113,SD,Jackson\n",
                kPrefix + "2: county id 46113 is SD,Shannon, not SD,Jackson"},
        BadCase{"InvalidUtf8", "abbreviation,state,county\nOGLA,SD,Shannon\nLNI,HI,Lana\xE2\x80i\n",
                kPrefix + "3: not valid UTF-8"},
        BadCase{"Latin1Byte", "abbreviation,state,county\nDAN,NM,Do\xF1" "a Ana\n", kPrefix + "2: not valid UTF-8"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(AbbrevListTest, FindAndReportRows) {
    AbbrevList list(AbbrevList::Mode::Replace);
    ASSERT_EQ(list.AddFile("abbreviation,county_id\nZZ,1001\nAB,1003\n", "a.csv"), std::nullopt);
    ASSERT_EQ(list.AddFile("abbreviation,county_id\nAB,1003\nMM,1005\n", "b.csv"), std::nullopt);
    ASSERT_NE(list.Find("AB"), nullptr);
    EXPECT_EQ(list.Find("AB")->countyId, 1003);
    EXPECT_EQ(list.Find("MM")->countyId, 1005);
    EXPECT_EQ(list.Find("ab"), nullptr); // abbreviations are stored upper case; the lookup is exact
    EXPECT_EQ(list.Find("Z"), nullptr);
    const Selection sd = selections::kSD;
    EXPECT_EQ(AbbrevListUseTexts(&list, sd),
              (std::vector<std::string>{
                  "Using abbreviation list a.csv for South Dakota (2 rows, replaces the built-in table).",
                  "Using abbreviation list b.csv for South Dakota (2 rows, replaces the built-in table)."}));
    AbbrevList extending;
    ASSERT_EQ(extending.AddFile("abbreviation,county_id\nOGLA,46113\n", "SD.csv"), std::nullopt);
    EXPECT_EQ(AbbrevListUseTexts(&extending, sd),
              std::vector<std::string>{
                  "Using abbreviation list SD.csv for South Dakota (1 row, extends the built-in table)."});
    EXPECT_TRUE(AbbrevListUseTexts(nullptr, sd).empty());
}

// A later file that repeats a row of an earlier one and adds rows on both
// sides of it keeps every abbreviation once, in byte order, each found.
TEST(AbbrevListTest, LaterFileRepeatingARowKeepsRowsUniqueAndSorted) {
    AbbrevList list;
    ASSERT_EQ(list.AddFile("abbreviation,county_id\nAUTA,1001\nOGLA,46113\n", "first.csv"), std::nullopt);
    ASSERT_EQ(list.AddFile("abbreviation,county_id\nAAA,1003\nBBB,1005\nOGLA,46113\nZZZ,1007\n", "second.csv"),
              std::nullopt);
    std::vector<std::string> abbreviations;
    for (const AbbrevListRow& row : list.rows()) {
        abbreviations.push_back(row.abbreviation);
        EXPECT_EQ(list.Find(row.abbreviation), &row) << row.abbreviation;
    }
    EXPECT_EQ(abbreviations, (std::vector<std::string>{"AAA", "AUTA", "BBB", "OGLA", "ZZZ"}));
}

TEST(CsvTextTest, Utf8Validity) {
    const std::pair<std::string, std::optional<std::size_t>> cases[] = {
        {"plain", std::nullopt},
        {"Lana\xCA\xBBi", std::nullopt},        // U+02BB
        {"\xF0\x9F\x93\xBB radio", std::nullopt}, // U+1F4FB
        {"a\xC0\xAF", 1},                        // overlong '/'
        {"ab\xED\xA0\x80", 2},                   // surrogate
        {"\xF4\x90\x80\x80", 0},                 // above U+10FFFF
        {"abc\xE2\x82", 3},                      // cut short
        {"\x80", 0},
    };
    for (const auto& [text, bad] : cases) EXPECT_EQ(FindInvalidUtf8(text), bad) << text;
}

TEST(CsvTextTest, SplitsCells) {
    using Cells = std::vector<std::string>;
    EXPECT_EQ(SplitCsvLine("a, b ,c"), (Cells{"a", "b", "c"}));
    EXPECT_EQ(SplitCsvLine(""), (Cells{""}));
    EXPECT_EQ(SplitCsvLine("a,,"), (Cells{"a", "", ""}));
    EXPECT_EQ(SplitCsvLine("\"x, \"\"y\"\"\" , z"), (Cells{"x, \"y\"", "z"}));
    EXPECT_EQ(SplitCsvLine("\"open"), std::nullopt);
    EXPECT_EQ(SplitCsvLine("\"a\"b,c"), std::nullopt);
}

} // namespace
} // namespace shirl
