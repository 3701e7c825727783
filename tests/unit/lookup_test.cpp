// Abbreviation lookup by selection: the documented edge cases, the dispatch
// of every Selection, and every row of every table.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "convert/lookup.h"
#include "data/abbrev_tables.h"
#include "data/gazetteer.h"
#include "data/selections.h"

namespace shirl {
namespace {

using Kind = LookupResult::Kind;

class LookupTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RebuildCountyIndex(); }
};

struct LookupCase {
    int selection;
    std::string_view abbreviation;
    Kind kind;
    std::string_view value; // "ST,County name" for a county, the state code for a state
    std::string_view message;
};

std::ostream& operator<<(std::ostream& os, const LookupCase& c) {
    return os << "selection " << c.selection << " \"" << c.abbreviation << '"';
}

std::string ValueOf(const LookupResult& r) {
    switch (r.kind) {
    case Kind::County:
        return r.county == nullptr ? std::string("(null county)")
                                   : std::string(r.county->stateCode) + "," +
                                         std::string(r.county->countyName);
    case Kind::State: return std::string(r.state);
    case Kind::None: break;
    }
    return {};
}

class LookupExamples : public ::testing::TestWithParam<LookupCase> {
protected:
    static void SetUpTestSuite() { RebuildCountyIndex(); }
};

TEST_P(LookupExamples, KindValueAndMessage) {
    const LookupCase& c = GetParam();
    const LookupResult r = LookupAbbreviation(c.abbreviation, c.selection);
    EXPECT_EQ(r.kind, c.kind);
    EXPECT_EQ(ValueOf(r), c.value);
    EXPECT_EQ(r.message, c.message);
    if (r.kind == Kind::County) {
        EXPECT_TRUE(r.message.empty()) << "a county never comes with a message";
        EXPECT_TRUE(r.state.empty());
    } else {
        EXPECT_EQ(r.county, nullptr);
    }
}

constexpr std::string_view kNoMessage = "";

// The documented edge cases, one row per example.
INSTANTIATE_TEST_SUITE_P(
    EdgeCases, LookupExamples,
    ::testing::Values(
        // Selection 1: both forms; lower case is not found.
        LookupCase{1, "AUTA", Kind::County, "AL,Autauga", kNoMessage},
        LookupCase{1, "AUT", Kind::County, "AL,Autauga", kNoMessage},
        LookupCase{1, "auta", Kind::None, "", kNoMessage},
        // Selection 40: the Pennsylvania table, then the section step.
        LookupCase{40, "ADA", Kind::County, "PA,Adams", kNoMessage},
        LookupCase{40, "EMA", Kind::State, "MA", kNoMessage},
        LookupCase{40, "ONS", Kind::None, "", kNoMessage},
        LookupCase{40, "PR", Kind::None, "", kNoMessage},
        // Independent cities.
        LookupCase{48, "ALX", Kind::State, "VA",
                   "ALX is the independent city of Alexandria city, VA (not a county)."},
        LookupCase{34, "CAR", Kind::State, "NV",
                   "CAR is the independent city of Carson City, NV (not a county)."},
        LookupCase{58, "NVCAR", Kind::State, "NV",
                   "NVCAR is the independent city of Carson City, NV (not a county)."},
        // Selection 60: second table, last table, independent city.
        LookupCase{60, "KDE", Kind::County, "DE,Kent", kNoMessage},
        LookupCase{60, "ALAUTA", Kind::County, "AL,Autauga", kNoMessage},
        LookupCase{60, "NVCAR", Kind::State, "NV",
                   "NVCAR is the independent city of Carson City, NV (not a county)."},
        // Selection 57: a Connecticut region names no county.
        LookupCase{57, "CTCAP", Kind::None, "", kNoMessage},
        // Closing rules for a selection whose tables lack the abbreviation.
        LookupCase{1, "MDC", Kind::State, "MD", kNoMessage},
        LookupCase{1, "DC", Kind::None, "", "DC is not a US state."},
        // Selections without tables.
        LookupCase{0, "AUTA", Kind::None, "", "AK is unsupported at this time."},
        LookupCase{4, "MDC", Kind::State, "MD", "BC is unsupported at this time."},
        LookupCase{56, "DC", Kind::None, "", "DC is not a US state."},
        // Selection 59.
        LookupCase{59, "AUTAL", Kind::County, "AL,Autauga", kNoMessage},
        // An empty abbreviation.
        LookupCase{1, "", Kind::None, "", kNoMessage},
        LookupCase{40, "", Kind::None, "", kNoMessage},
        LookupCase{0, "", Kind::None, "", "AK is unsupported at this time."}));

// More of the Part's rules, each one pinned down.
INSTANTIATE_TEST_SUITE_P(
    Rules, LookupExamples,
    ::testing::Values(
        // The section step: a state from a section, no state for a Canadian
        // section, a state code that is not a section.
        LookupCase{40, "LAX", Kind::State, "CA", kNoMessage},
        LookupCase{40, "MDC", Kind::State, "MD", kNoMessage},
        LookupCase{40, "EPA", Kind::State, "PA", kNoMessage},
        LookupCase{40, "SF", Kind::State, "CA", kNoMessage},
        LookupCase{40, "AB", Kind::None, "", kNoMessage},
        LookupCase{40, "PAC", Kind::None, "", kNoMessage},
        LookupCase{40, "MA", Kind::None, "", kNoMessage},
        LookupCase{40, "DC", Kind::None, "", "DC is not a US state."},
        // Only Pennsylvania has the section step.
        LookupCase{1, "EMA", Kind::None, "", kNoMessage},
        LookupCase{35, "ENY", Kind::None, "", kNoMessage},
        // The independent-city tables serve only their Selections.
        LookupCase{46, "ALX", Kind::None, "", kNoMessage},
        LookupCase{59, "NVCAR", Kind::None, "", kNoMessage},
        LookupCase{54, "NVCAR", Kind::None, "", kNoMessage},
        // Each unsupported Selection names its own code.
        LookupCase{7, "XYZ", Kind::None, "", "CP is unsupported at this time."},
        LookupCase{8, "XYZ", Kind::None, "", "CT is unsupported at this time."},
        LookupCase{20, "XYZ", Kind::None, "", "MA is unsupported at this time."},
        LookupCase{38, "XYZ", Kind::None, "", "ON is unsupported at this time."},
        LookupCase{41, "XYZ", Kind::None, "", "QC is unsupported at this time."},
        LookupCase{42, "XYZ", Kind::None, "", "RI is unsupported at this time."},
        LookupCase{47, "XYZ", Kind::None, "", "UT is unsupported at this time."},
        LookupCase{53, "XYZ", Kind::None, "", "WY is unsupported at this time."},
        LookupCase{56, "XYZ", Kind::None, "", "NAQP is unsupported at this time."},
        LookupCase{56, "MDC", Kind::State, "MD", "NAQP is unsupported at this time."},
        // Bytes are compared exactly: no trimming, no case folding.
        LookupCase{1, "AUTA ", Kind::None, "", kNoMessage},
        LookupCase{1, " AUTA", Kind::None, "", kNoMessage},
        LookupCase{1, "mdc", Kind::None, "", kNoMessage},
        LookupCase{1, "dc", Kind::None, "", kNoMessage},
        LookupCase{1, "DC ", Kind::None, "", kNoMessage},
        LookupCase{1, std::string_view("AUTA\0", 5), Kind::None, "", kNoMessage},
        LookupCase{1, "\xff\xff", Kind::None, "", kNoMessage},
        // A few rows of other tables through their Selections.
        LookupCase{9, "KDE", Kind::County, "DE,Kent", kNoMessage},
        LookupCase{9, "KEN", Kind::County, "DE,Kent", kNoMessage},
        LookupCase{3, "AZAPH", Kind::County, "AZ,Apache", kNoMessage},
        LookupCase{58, "AZAPH", Kind::County, "AZ,Apache", kNoMessage},
        LookupCase{12, "KON", Kind::County, "HI,Hawaii", kNoMessage},
        LookupCase{54, "ALAUTA", Kind::County, "AL,Autauga", kNoMessage},
        LookupCase{57, "VTADD", Kind::County, "VT,Addison", kNoMessage},
        LookupCase{60, "VTADD", Kind::County, "VT,Addison", kNoMessage},
        LookupCase{60, "CTCAP", Kind::None, "", kNoMessage},
        LookupCase{14, "ADA", Kind::County, "ID,Ada", kNoMessage},
        LookupCase{6, "ADA", Kind::County, "CO,Adams", kNoMessage}));

TEST_F(LookupTest, CountyIsTheIndexRecord) {
    const LookupResult r = LookupAbbreviation("AUTA", 1);
    ASSERT_EQ(r.kind, Kind::County);
    EXPECT_EQ(r.county, FindCounty(1001));
}

TEST_F(LookupTest, SelectionOutOfRangeOnlyReachesTheClosingRules) {
    for (int s : {-1, 61, 1000}) {
        EXPECT_EQ(LookupAbbreviation("AUTA", s).kind, Kind::None);
        EXPECT_EQ(LookupAbbreviation("AUTA", s).message, "");
        EXPECT_EQ(LookupAbbreviation("MDC", s).kind, Kind::State);
        EXPECT_EQ(LookupAbbreviation("DC", s).message, "DC is not a US state.");
    }
}

bool IsCityTable(TableId id) { return id == TableId::NevadaCities || id == TableId::VirginiaCities; }

// Every row of every table, through every Selection that searches it: the
// lookup finds something, and for the first table that has the abbreviation
// with a county it is exactly that county (or that city's state).
TEST_F(LookupTest, EveryRowOfEveryTableThroughEverySelection) {
    int rowsChecked = 0;
    for (int s = 0; s < kSelectionCount; ++s) {
        const auto tables = TablesForSelection(s);
        for (std::size_t t = 0; t < tables.size(); ++t) {
            const AbbrevTable& table = GetAbbrevTable(tables[t]);
            for (const AbbrevEntry& row : table.rows) {
                const LookupResult r = LookupAbbreviation(row.abbreviation, s);
                // An earlier table of the Selection that has a county for it wins.
                bool earlier = false;
                for (std::size_t u = 0; u < t && !earlier; ++u)
                    earlier = SearchAbbrevTable(row.abbreviation, GetAbbrevTable(tables[u])) != nullptr;
                if (earlier) continue;
                const CountyRecord* county = FindCounty(row.countyId);
                if (county == nullptr) continue; // the Connecticut regions (9000)
                ++rowsChecked;
                SCOPED_TRACE(std::string(table.name) + " row " + std::string(row.abbreviation) +
                             ", selection " + std::to_string(s));
                if (IsCityTable(tables[t])) {
                    ASSERT_EQ(r.kind, Kind::State);
                    EXPECT_EQ(r.state, county->stateCode);
                    EXPECT_EQ(r.message, std::string(row.abbreviation) + " is the independent city of " +
                                             std::string(county->countyName) + ", " +
                                             std::string(county->stateCode) + " (not a county).");
                } else {
                    ASSERT_EQ(r.kind, Kind::County);
                    EXPECT_TRUE(r.message.empty());
                    // Shared abbreviations (US Counties QSO Party): any of their rows.
                    bool oneOfTheRows = false;
                    for (const AbbrevEntry& other : table.rows)
                        if (other.abbreviation == row.abbreviation && FindCounty(other.countyId) == r.county)
                            oneOfTheRows = true;
                    EXPECT_TRUE(oneOfTheRows);
                }
            }
        }
    }
    EXPECT_GT(rowsChecked, 3073 * 2);
}

// Selection 59 finds every one of its 3073 counties by its abbreviation.
TEST_F(LookupTest, UsCountiesQsoPartyFindsEveryRow) {
    const AbbrevTable& table = GetAbbrevTable(TableId::UsCounties);
    ASSERT_EQ(table.rows.size(), 3073u);
    for (const AbbrevEntry& row : table.rows) {
        const LookupResult r = LookupAbbreviation(row.abbreviation, 59);
        ASSERT_EQ(r.kind, Kind::County) << row.abbreviation;
        ASSERT_NE(r.county, nullptr);
    }
    EXPECT_EQ(LookupAbbreviation("WESWY", 59).county, FindCounty(56045));
    EXPECT_EQ(LookupAbbreviation("BATMD", 59).county, FindCounty(24510));
}

// Which Selections have tables, and which reach the unsupported step.
TEST_F(LookupTest, UnsupportedSelectionsAreExactlyThoseWithoutTables) {
    const std::set<int> unsupported = {0, 4, 7, 8, 20, 38, 41, 42, 47, 53, 56};
    for (int s = 0; s < kSelectionCount; ++s) {
        SCOPED_TRACE("selection " + std::to_string(s));
        EXPECT_EQ(TablesForSelection(s).empty(), unsupported.count(s) == 1);
        const LookupResult r = LookupAbbreviation("NOSUCH", s);
        EXPECT_EQ(r.kind, Kind::None);
        if (unsupported.count(s)) {
            EXPECT_EQ(r.message, std::string(SelectionCode(s)) + " is unsupported at this time.");
        } else {
            EXPECT_EQ(r.message, "");
        }
        // The closing rules hold for every Selection.
        const LookupResult md = LookupAbbreviation("MDC", s);
        EXPECT_EQ(md.kind, Kind::State);
        EXPECT_EQ(md.state, "MD");
        const LookupResult dc = LookupAbbreviation("DC", s);
        EXPECT_EQ(dc.kind, Kind::None);
        EXPECT_EQ(dc.message, "DC is not a US state.");
    }
}

// The order of the MULTI Selection: Indiana, Delaware, New England, 7-Land,
// Nevada cities, MARAC.
TEST_F(LookupTest, MultiSelectionOrder) {
    const auto tables = TablesForSelection(60);
    const std::vector<TableId> expected = {TableId::Indiana,   TableId::Delaware,     TableId::NewEngland,
                                           TableId::SevenLand, TableId::NevadaCities, TableId::Marac};
    EXPECT_EQ(std::vector<TableId>(tables.begin(), tables.end()), expected);
    EXPECT_EQ(ValueOf(LookupAbbreviation("INADA", 60)), "IN,Adams");
}

} // namespace
} // namespace shirl
