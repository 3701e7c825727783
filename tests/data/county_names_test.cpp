// County names as operators' lists write them, matched to the gazetteer's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/county_names.h"

namespace shirl {
namespace {

struct NameCase {
    const char* state;
    const char* written;
    int countyId;                          // -1: refused
    std::vector<std::string_view> closest; // offered when refused
};

TEST(CountyNamesTest, MatchesSpellingsOfTheGazetteerName) {
    const NameCase cases[] = {
        {"AL", "Autauga", 1001, {}},
        {"AL", "DeKalb", 1049, {}},
        {"AL", "Saint Clair", 1115, {}},
        {"AL", "St Clair", 1115, {}},
        {"FL", "Miami Dade", 12086, {}},
        {"IA", "O Brien", 19141, {}},
        {"IN", "LaPorte", 18091, {}},
        {"MO", "Sainte Genevieve", 29186, {}},
        {"MO", "Ste Genevieve", 29186, {}},
        {"MO", "Saint Louis City", 29510, {}},
        {"AL", "Dekalbb", -1, {"De Kalb"}},
        {"AL", "Saint Clare", -1, {"St. Clair"}},
        {"IN", "La Portr", -1, {"La Porte"}},
        {"GA", "Dad", -1, {"Dade"}},
        {"AL", "Miami Dade", -1, {}},  // another state's county
        {"AL", "Nowhere", -1, {}},
        {"AL", "", -1, {}},
        {"XQ", "Autauga", -1, {}},
    };
    for (const NameCase& c : cases) {
        const CountyNameMatch match = MatchGazetteerCounty(c.state, c.written);
        EXPECT_EQ(match.countyId, c.countyId) << c.state << "," << c.written;
        EXPECT_EQ(match.closest, c.closest) << c.state << "," << c.written;
    }
}

// Two counties of one state whose names share a key: only the exact name
// (any letter case) finds one; any other spelling of the pair finds neither.
TEST(CountyNamesTest, AmbiguousPairIsRefusedAndOffered) {
    const NamedCounty pair[] = {{"De Kalb", 1}, {"DeKalb", 2}, {"Dale", 3}};
    const std::pair<std::string_view, CountyNameMatch> cases[] = {
        {"de kalb", {1, {}}},
        {"DEKALB", {2, {}}},
        {"De-Kalb", {-1, {"De Kalb", "DeKalb"}}},
        {"Dale.", {3, {}}},
    };
    for (const auto& [written, want] : cases) {
        const CountyNameMatch match = MatchCountyName(pair, written);
        EXPECT_EQ(match.countyId, want.countyId) << written;
        EXPECT_EQ(match.closest, want.closest) << written;
    }
}

} // namespace
} // namespace shirl
