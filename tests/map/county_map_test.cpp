// The county map: the area each kind of Selection draws, its title, and the
// fill and tooltip each county gets from its QSO count.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "map/county_map.h"
#include "map/map_area.h"

namespace shirl {
namespace {

struct AreaCase {
    const char* code; // "" for no Selection
    bool wholeCountry;
    std::vector<int> states; // checked when not the whole country
    const char* title;
};

TEST(MapArea, SelectionsAndTheAreasTheyDraw) {
    const AreaCase cases[] = {
        {"AL", false, {1}, "Alabama QSO Party"},
        {"CT", false, {9}, "Connecticut QSO Party"}, // a state without a table of its own
        {"AK", false, {2}, "Alaska QSO Party"},
        {"7QP", false, {4, 16, 30, 32, 41, 49, 53, 56}, "7-Land QSO Party"},
        {"NEQP", false, {9, 23, 25, 33, 44, 50}, "New England QSO Party"},
        {"MULTI", true, {}, "7QP/INQP/NEQP/DE"},
        {"MARAC", true, {}, "MARAC CW Contest"},
        {"USCQP", true, {}, "US Counties QSO Party"},
        {"NAQP", true, {}, "North American QSO Party"}, // no tables
        {"ON", true, {}, "Ontario QSO Party"},          // a Canadian area
        {"", true, {}, "Counties worked"},
    };
    for (const AreaCase& c : cases) {
        const Selection selection = FindSelectionByCode(c.code).value_or(Selection());
        const MapArea area = MapAreaOfSelection(selection);
        EXPECT_EQ(area.wholeCountry, c.wholeCountry) << c.code;
        if (c.wholeCountry)
            EXPECT_EQ(area.states.size(), 51u) << c.code;
        else
            EXPECT_EQ(area.states, c.states) << c.code;
        EXPECT_EQ(MapTitleOfSelection(selection), c.title) << c.code;
    }
}

// The element of the county whose tooltip starts with `tooltip`, with the
// group that fills it: "<g fill=...>" up to the tooltip.
std::string FillOf(const std::string& svg, const std::string& tooltip) {
    const auto at = svg.find("<title>" + tooltip);
    if (at == std::string::npos) return "no county " + tooltip;
    const auto group = svg.rfind("<g fill=\"", at);
    return svg.substr(group + 9, 7);
}

TEST(CountyMap, FillTitleAndTooltipsFollowTheCounts) {
    const CountyQsoCounts counts{{1001, 1}, {1003, 3}, {1005, 9}, {1007, 10}, {1009, 0}, {2270, 2},
                                 {72127, 4}, {51515, 1}, {51019, 2}, {123456, 7}};
    const std::string al = RenderCountyMap(*FindSelectionByCode("AL"), counts);
    EXPECT_NE(al.find("<title>Alabama QSO Party: 4 of 67 counties</title>"), std::string::npos);
    const std::pair<const char*, const char*> fills[] = {
        {"Autauga, Alabama (AUT, AUTA): 1 QSO<", "#fed976"}, {"Baldwin, Alabama (BAL, BALD): 3 QSOs", "#fd8d3c"},
        {"Barbour, Alabama (BAR, BARB): 9 QSOs", "#e31a1c"}, {"Bibb, Alabama (BIB, BIBB): 10 QSOs", "#800026"},
        {"Blount, Alabama (BLO, BLOU): no QSOs", "#eeeeee"},
    };
    for (const auto& [tooltip, fill] : fills) EXPECT_EQ(FillOf(al, tooltip), fill) << tooltip;
    // Counties worked off the map are named under it, territories included.
    EXPECT_NE(al.find(">Also worked, not on this map: AK,Kusilvak: 2 QSOs,"), std::string::npos);
    for (const char* item : {" VA,Bedford: 2 QSOs,", " VA,Bedford city: 1 QSO,", " PR,San Juan Municipio: 4 QSOs</text>"})
        EXPECT_NE(al.find(item), std::string::npos) << item;

    // One shape for Bedford County and Bedford city: their sum fills it, both are named.
    const std::string va = RenderCountyMap(*FindSelectionByCode("VA"), counts);
    EXPECT_EQ(FillOf(va, "Bedford, Virginia (BED): 2 QSOs; Bedford city, Virginia (BEX): 1 QSO"), "#fd8d3c");
    EXPECT_NE(va.find("Virginia QSO Party: 2 of 134 counties"), std::string::npos);
    EXPECT_EQ(va, RenderCountyMap(*FindSelectionByCode("VA"), counts)); // the same bytes again
}

} // namespace
} // namespace shirl
