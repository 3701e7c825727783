// The lookup with an operator's list: the list is searched first, a
// replacing list takes the place of the county tables (the independent-city
// tables, the section step and the closing rules stay), and the effective
// table that `abbreviations --csv` prints.
#include <gtest/gtest.h>

#include <set>

#include <string>
#include <string_view>

#include "convert/effective_table.h"
#include "convert/lookup.h"
#include "data/abbrev_tables.h"
#include "data/abbrev_list.h"
#include "data/gazetteer.h"
#include "data/selections.h"

namespace shirl {
namespace {

using Kind = LookupResult::Kind;

std::string Shown(const LookupResult& r) {
    switch (r.kind) {
    case Kind::County: return std::string(r.county->stateCode) + "," + std::string(r.county->countyName) + "|" + r.message;
    case Kind::State: return "state " + std::string(r.state) + "|" + r.message;
    case Kind::None: break;
    }
    return "none|" + r.message;
}

AbbrevList MakeList(AbbrevList::Mode mode, std::string_view text) {
    AbbrevList list(mode);
    EXPECT_EQ(list.AddFile(text, "test.csv"), std::nullopt);
    return list;
}

struct ListLookupCase {
    const char* label;
    std::string_view code;
    AbbrevList::Mode mode;
    std::string_view listText;
    std::string_view abbreviation;
    std::string expected;
};

void PrintTo(const ListLookupCase& c, std::ostream* os) { *os << c.label; }

class ListLookupTest : public ::testing::TestWithParam<ListLookupCase> {
protected:
};

TEST_P(ListLookupTest, Finds) {
    const ListLookupCase& c = GetParam();
    const AbbrevList list = MakeList(c.mode, c.listText);
    const Selection selection = *FindSelectionByCode(c.code);
    EXPECT_EQ(Shown(LookupAbbreviation(c.abbreviation, selection, &list)), c.expected);
}

constexpr auto kExtend = AbbrevList::Mode::Extend;
constexpr auto kReplace = AbbrevList::Mode::Replace;
constexpr std::string_view kSd = "abbreviation,state,county\nOGLA,SD,Shannon\nJKSN,SD,Jones\n";
constexpr std::string_view kVa = "abbreviation,county_id\nFFX,51059\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ListLookupTest,
    ::testing::Values(
        ListLookupCase{"NewRow", "SD", kExtend, kSd, "OGLA", "SD,Shannon|"},
        ListLookupCase{"ListRowWinsOverBuiltIn", "SD", kExtend, kSd, "JKSN", "SD,Jones|"},
        ListLookupCase{"BuiltInStillSearched", "SD", kExtend, kSd, "SHAN", "SD,Shannon|"},
        ListLookupCase{"ReplacedBuiltInUnknown", "SD", kReplace, kSd, "SHAN", "none|"},
        ListLookupCase{"ReplacingListFound", "SD", kReplace, kSd, "OGLA", "SD,Shannon|"},
        ListLookupCase{"ReplaceKeepsIndependentCities", "VA", kReplace, kVa, "FXX",
                       "state VA|FXX is the independent city of Fairfax city, VA (not a county)."},
        ListLookupCase{"ReplaceDropsCountyTable", "VA", kReplace, kVa, "ARL", "none|"},
        ListLookupCase{"ReplaceKeepsSections", "PA", kReplace, "abbreviation,county_id\nZZZ,42001\n", "WPA",
                       "state PA|"},
        ListLookupCase{"ReplaceKeepsClosingRules", "SD", kReplace, kSd, "MDC", "state MD|"},
        ListLookupCase{"ListMakesUnsupportedSupported", "AK", kExtend, "abbreviation,county_id\nANC,2020\n", "ANC",
                       "AK,Anchorage Municipality|"},
        ListLookupCase{"NoUnsupportedMessageWithAList", "AK", kExtend, "abbreviation,county_id\nANC,2020\n", "XYZ",
                       "none|"},
        ListLookupCase{"ExactBytes", "SD", kExtend, kSd, "ogla", "none|"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(EffectiveTableTest, OneRowPerAbbreviationInSearchOrder) {
    // The US Counties QSO Party table gives CLAMS to three counties: the
    // effective table keeps the one the lookup yields.
    const Selection uscqp = selections::kUSCQP;
    const auto rows = EffectiveCountyRows(uscqp, nullptr);
    std::set<std::string_view> seen;
    for (const EffectiveRow& row : rows) {
        EXPECT_TRUE(seen.insert(row.abbreviation).second) << row.abbreviation;
        const LookupResult r = LookupAbbreviation(row.abbreviation, uscqp);
        ASSERT_EQ(r.kind, Kind::County) << row.abbreviation;
        EXPECT_EQ(r.county, FindCounty(row.countyId)) << row.abbreviation;
    }
    EXPECT_TRUE(seen.count("CLAMS"));

    // Virginia: the county table only (the cities are no county); with a
    // list, its rows first and a shadowed built-in row left out.
    const Selection va = selections::kVA;
    const AbbrevList list = MakeList(kExtend, "abbreviation,county_id\nFFX,51059\nACC,51003\n");
    const auto withList = EffectiveCountyRows(va, &list);
    ASSERT_GE(withList.size(), 2u);
    EXPECT_EQ(withList[0].abbreviation, "ACC");
    EXPECT_EQ(withList[0].countyId, 51003);
    EXPECT_EQ(withList[1].abbreviation, "FFX");
    for (std::size_t i = 2; i < withList.size(); ++i) {
        EXPECT_NE(withList[i].abbreviation, "FFX");
        EXPECT_NE(withList[i].abbreviation, "FXX"); // an independent city
    }
    const AbbrevList replacing = MakeList(kReplace, "abbreviation,county_id\nFFX,51059\n");
    EXPECT_EQ(EffectiveCountyRows(va, &replacing).size(), 1u);
    // NEQP's Connecticut regions name no county.
    for (const EffectiveRow& row : EffectiveCountyRows(selections::kNEQP, nullptr))
        EXPECT_NE(row.abbreviation.substr(0, 2), "CT");
}

} // namespace
} // namespace shirl
