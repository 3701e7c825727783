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

class LookupTest : public ::testing::Test {};

struct LookupCase {
    Selection selection;
    std::string_view abbreviation;
    Kind kind;
    std::string_view value; // "ST,County name" for a county, the state code for a state
    std::string_view message;
};

std::ostream& operator<<(std::ostream& os, const LookupCase& c) {
    return os << "selection " << c.selection.Code() << " \"" << c.abbreviation << '"';
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

class LookupExamples : public ::testing::TestWithParam<LookupCase> {};

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
        // Alabama: both forms; lower case is not found.
        LookupCase{selections::kAL, "AUTA", Kind::County, "AL,Autauga", kNoMessage},
        LookupCase{selections::kAL, "AUT", Kind::County, "AL,Autauga", kNoMessage},
        LookupCase{selections::kAL, "auta", Kind::None, "", kNoMessage},
        // Pennsylvania: the Pennsylvania table, then the section step.
        LookupCase{selections::kPA, "ADA", Kind::County, "PA,Adams", kNoMessage},
        LookupCase{selections::kPA, "EMA", Kind::State, "MA", kNoMessage},
        LookupCase{selections::kPA, "ONS", Kind::None, "", kNoMessage},
        LookupCase{selections::kPA, "PR", Kind::None, "", kNoMessage},
        // Independent cities.
        LookupCase{selections::kVA, "ALX", Kind::State, "VA",
                   "ALX is the independent city of Alexandria city, VA (not a county)."},
        LookupCase{selections::kNV, "CAR", Kind::State, "NV",
                   "CAR is the independent city of Carson City, NV (not a county)."},
        LookupCase{selections::k7QP, "NVCAR", Kind::State, "NV",
                   "NVCAR is the independent city of Carson City, NV (not a county)."},
        // MULTI: second table, last table, independent city.
        LookupCase{selections::kMULTI, "KDE", Kind::County, "DE,Kent", kNoMessage},
        LookupCase{selections::kMULTI, "ALAUTA", Kind::County, "AL,Autauga", kNoMessage},
        LookupCase{selections::kMULTI, "NVCAR", Kind::State, "NV",
                   "NVCAR is the independent city of Carson City, NV (not a county)."},
        // New England QSO Party: a Connecticut region names no county.
        LookupCase{selections::kNEQP, "CTCAP", Kind::None, "", kNoMessage},
        // Closing rules for a selection whose tables lack the abbreviation.
        LookupCase{selections::kAL, "MDC", Kind::State, "MD", kNoMessage},
        LookupCase{selections::kAL, "DC", Kind::None, "", "DC is not a US state."},
        // Selections without tables.
        LookupCase{selections::kAK, "AUTA", Kind::None, "", "AK is unsupported at this time."},
        LookupCase{selections::kBC, "MDC", Kind::State, "MD", "BC is unsupported at this time."},
        LookupCase{selections::kNAQP, "DC", Kind::None, "", "DC is not a US state."},
        // US Counties QSO Party.
        LookupCase{selections::kUSCQP, "AUTAL", Kind::County, "AL,Autauga", kNoMessage},
        // An empty abbreviation.
        LookupCase{selections::kAL, "", Kind::None, "", kNoMessage},
        LookupCase{selections::kPA, "", Kind::None, "", kNoMessage},
        LookupCase{selections::kAK, "", Kind::None, "", "AK is unsupported at this time."}));

// More of the Part's rules, each one pinned down.
INSTANTIATE_TEST_SUITE_P(
    Rules, LookupExamples,
    ::testing::Values(
        // The section step: a state from a section, no state for a Canadian
        // section, a state code that is not a section.
        LookupCase{selections::kPA, "LAX", Kind::State, "CA", kNoMessage},
        LookupCase{selections::kPA, "MDC", Kind::State, "MD", kNoMessage},
        LookupCase{selections::kPA, "EPA", Kind::State, "PA", kNoMessage},
        LookupCase{selections::kPA, "SF", Kind::State, "CA", kNoMessage},
        LookupCase{selections::kPA, "AB", Kind::None, "", kNoMessage},
        LookupCase{selections::kPA, "PAC", Kind::None, "", kNoMessage},
        LookupCase{selections::kPA, "MA", Kind::None, "", kNoMessage},
        LookupCase{selections::kPA, "DC", Kind::None, "", "DC is not a US state."},
        // Only Pennsylvania has the section step.
        LookupCase{selections::kAL, "EMA", Kind::None, "", kNoMessage},
        LookupCase{selections::kNY, "ENY", Kind::None, "", kNoMessage},
        // The independent-city tables serve only their Selections.
        LookupCase{selections::kTX, "ALX", Kind::None, "", kNoMessage},
        LookupCase{selections::kUSCQP, "NVCAR", Kind::None, "", kNoMessage},
        LookupCase{selections::kMARAC, "NVCAR", Kind::None, "", kNoMessage},
        // Each unsupported Selection names its own code.
        LookupCase{selections::kCP, "XYZ", Kind::None, "", "CP is unsupported at this time."},
        LookupCase{selections::kCT, "XYZ", Kind::None, "", "CT is unsupported at this time."},
        LookupCase{selections::kMA, "XYZ", Kind::None, "", "MA is unsupported at this time."},
        LookupCase{selections::kON, "XYZ", Kind::None, "", "ON is unsupported at this time."},
        LookupCase{selections::kQC, "XYZ", Kind::None, "", "QC is unsupported at this time."},
        LookupCase{selections::kRI, "XYZ", Kind::None, "", "RI is unsupported at this time."},
        LookupCase{selections::kUT, "XYZ", Kind::None, "", "UT is unsupported at this time."},
        LookupCase{selections::kWY, "XYZ", Kind::None, "", "WY is unsupported at this time."},
        LookupCase{selections::kNAQP, "XYZ", Kind::None, "", "NAQP is unsupported at this time."},
        LookupCase{selections::kNAQP, "MDC", Kind::State, "MD", "NAQP is unsupported at this time."},
        // Bytes are compared exactly: no trimming, no case folding.
        LookupCase{selections::kAL, "AUTA ", Kind::None, "", kNoMessage},
        LookupCase{selections::kAL, " AUTA", Kind::None, "", kNoMessage},
        LookupCase{selections::kAL, "mdc", Kind::None, "", kNoMessage},
        LookupCase{selections::kAL, "dc", Kind::None, "", kNoMessage},
        LookupCase{selections::kAL, "DC ", Kind::None, "", kNoMessage},
        LookupCase{selections::kAL, std::string_view("AUTA\0", 5), Kind::None, "", kNoMessage},
        LookupCase{selections::kAL, "\xff\xff", Kind::None, "", kNoMessage},
        // A few rows of other tables through their Selections.
        LookupCase{selections::kDE, "KDE", Kind::County, "DE,Kent", kNoMessage},
        LookupCase{selections::kDE, "KEN", Kind::County, "DE,Kent", kNoMessage},
        LookupCase{selections::kAZ, "AZAPH", Kind::County, "AZ,Apache", kNoMessage},
        LookupCase{selections::k7QP, "AZAPH", Kind::County, "AZ,Apache", kNoMessage},
        LookupCase{selections::kHI, "KON", Kind::County, "HI,Hawaii", kNoMessage},
        LookupCase{selections::kMARAC, "ALAUTA", Kind::County, "AL,Autauga", kNoMessage},
        LookupCase{selections::kNEQP, "VTADD", Kind::County, "VT,Addison", kNoMessage},
        LookupCase{selections::kMULTI, "VTADD", Kind::County, "VT,Addison", kNoMessage},
        LookupCase{selections::kMULTI, "CTCAP", Kind::None, "", kNoMessage},
        LookupCase{selections::kID, "ADA", Kind::County, "ID,Ada", kNoMessage},
        LookupCase{selections::kCO, "ADA", Kind::County, "CO,Adams", kNoMessage}));

TEST_F(LookupTest, CountyIsTheIndexRecord) {
    const LookupResult r = LookupAbbreviation("AUTA", selections::kAL);
    ASSERT_EQ(r.kind, Kind::County);
    EXPECT_EQ(r.county, FindCounty(1001));
}

TEST_F(LookupTest, SelectionOutOfRangeOnlyReachesTheClosingRules) {
    for (const Selection s : {Selection(), Selection(-1), Selection(kSelectionCount), Selection(1000)}) {
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
    for (int index = 0; index < kSelectionCount; ++index) {
        const Selection s(index);
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
                const GazetteerRow* county = FindCounty(row.countyId);
                if (county == nullptr) continue; // the Connecticut regions (9000)
                ++rowsChecked;
                SCOPED_TRACE(std::string(table.name) + " row " + std::string(row.abbreviation) +
                             ", selection " + std::string(s.Code()));
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

// The US Counties QSO Party finds every one of its 3073 counties by its abbreviation.
TEST_F(LookupTest, UsCountiesQsoPartyFindsEveryRow) {
    const AbbrevTable& table = GetAbbrevTable(TableId::UsCounties);
    ASSERT_EQ(table.rows.size(), 3073u);
    for (const AbbrevEntry& row : table.rows) {
        const LookupResult r = LookupAbbreviation(row.abbreviation, selections::kUSCQP);
        ASSERT_EQ(r.kind, Kind::County) << row.abbreviation;
        ASSERT_NE(r.county, nullptr);
    }
    EXPECT_EQ(LookupAbbreviation("WESWY", selections::kUSCQP).county, FindCounty(56045));
    EXPECT_EQ(LookupAbbreviation("BATMD", selections::kUSCQP).county, FindCounty(24510));
}

// Which Selections have tables, and which reach the unsupported step.
TEST_F(LookupTest, UnsupportedSelectionsAreExactlyThoseWithoutTables) {
    const std::set<std::string_view> unsupported = {"AK", "BC", "CP", "CT", "MA", "ON",
                                                    "QC", "RI", "UT", "WY", "NAQP"};
    for (int index = 0; index < kSelectionCount; ++index) {
        const Selection s(index);
        SCOPED_TRACE("selection " + std::string(s.Code()));
        EXPECT_EQ(TablesForSelection(s).empty(), unsupported.count(s.Code()) == 1);
        const LookupResult r = LookupAbbreviation("NOSUCH", s);
        EXPECT_EQ(r.kind, Kind::None);
        if (unsupported.count(s.Code())) {
            EXPECT_EQ(r.message, std::string(s.Code()) + " is unsupported at this time.");
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
    const auto tables = TablesForSelection(selections::kMULTI);
    const std::vector<TableId> expected = {TableId::Indiana,   TableId::Delaware,     TableId::NewEngland,
                                           TableId::SevenLand, TableId::NevadaCities, TableId::Marac};
    EXPECT_EQ(std::vector<TableId>(tables.begin(), tables.end()), expected);
    EXPECT_EQ(ValueOf(LookupAbbreviation("INADA", selections::kMULTI)), "IN,Adams");
}

} // namespace
} // namespace shirl
