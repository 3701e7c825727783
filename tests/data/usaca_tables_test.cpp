// The award's list against the gazetteer and the US Counties QSO Party
// table, its Alaska, Connecticut and Virginia rules, the claimable places,
// and the county aliases by QSO date.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "data/abbrev_tables.h"
#include "data/county_aliases.h"
#include "data/gazetteer.h"
#include "data/usaca_tables.h"

namespace shirl {
namespace {

TEST(UsacaTablesTest, TheListIsTheQsoPartyTableWithAlaskasDistricts) {
    std::set<int> listed;
    std::map<std::string, int> perState;
    for (const UsacaCounty& county : UsacaCounties()) {
        ++perState[std::string(county.stateCode)];
        if (county.countyId >= 0) listed.insert(county.countyId);
    }
    EXPECT_EQ(UsacaCounties().size(), 3077u);
    EXPECT_EQ(perState.size(), 50u);
    EXPECT_EQ(perState["AK"], 4);
    EXPECT_EQ(perState["CT"], 8);
    EXPECT_EQ(perState["VA"], 95);  // 134 rows less the 39 independent cities
    EXPECT_EQ(perState["NV"], 16);  // Carson City out
    EXPECT_EQ(perState["LA"], 64);
    EXPECT_EQ(perState.count("DC"), 0u);
    std::set<int> party;
    for (const AbbrevEntry& row : GetAbbrevTable(TableId::UsCounties).rows) party.insert(row.countyId);
    EXPECT_EQ(party.size(), 3073u);
    EXPECT_EQ(listed, party);
    EXPECT_TRUE(listed.count(24510) && listed.count(29510)); // Baltimore city, St. Louis city
}

TEST(UsacaTablesTest, EveryAlaskaRowHasADistrictAndTheClaimablePlacesAreTheCities) {
    std::map<std::string, int> perDistrict;
    for (const UsacaBorough& borough : UsacaBoroughs()) ++perDistrict[std::string(borough.district)];
    const std::map<std::string, int> expected = {{"First Judicial District", 10},
                                                 {"Second Judicial District", 3},
                                                 {"Third Judicial District", 10},
                                                 {"Fourth Judicial District", 6}};
    EXPECT_EQ(perDistrict, expected);
    std::set<int> places;
    for (const UsacaClaimable& place : UsacaClaimablePlaces()) {
        places.insert(place.countyId);
        EXPECT_FALSE(place.counties.empty()) << place.place;
    }
    EXPECT_EQ(places.size(), 41u); // 39 Virginia cities, Carson City, DC
    EXPECT_TRUE(places.count(11001) && places.count(32510) && places.count(51515));
}

TEST(CountyAliasesTest, FormerAndNewerNamesByDate) {
    struct Case {
        const char* state;
        const char* name;
        int date;
        int county;
    };
    const Case cases[] = {
        {"AK", "Wade Hampton", 0, 2270},      {"AK", "kusilvak", 20200101, 2270},
        {"AK", "Copper River", 20220101, 2261}, {"AK", "CHUGACH", 0, 2261},
        {"SD", "Oglala Lakota", 20160101, 46113}, {"VA", "Bedford City", 20130630, 51515},
        {"VA", "Bedford city", 20130701, 51019}, {"VA", "Bedford city", 0, 51515},
        {"VA", "Bedford", 20200101, -1},         {"SD", "Wade Hampton", 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindCountyAlias(c.state, c.name, c.date), c.county) << c.state << "," << c.name << " " << c.date;
}

} // namespace
} // namespace shirl
