// The county map: the area each kind of Selection draws, the fill and
// tooltip each county gets from its QSO count and the search order, the
// count in the title, and states drawn upright (measured on the picture).
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "map/county_map.h"
#include "map/map_area.h"

namespace shirl {
namespace {

struct AreaCase {
    const char* code; // "" for no Selection
    CountyQsoCounts counts;
    bool wholeCountry;
    std::vector<int> states;  // checked when not the whole country
    std::vector<int> context; // the same
    std::set<int> entryStates = {}; // worked by entries that are not counties
};

TEST(MapArea, SelectionsAndTheAreasTheyDraw) {
    const CountyQsoCounts newEngland{{25001, 2}, {50017, 1}}; // MA Barnstable, VT Orange
    const AreaCase cases[] = {
        {"AL", {}, false, {1}, {12, 13, 28, 47}},
        {"CT", {}, false, {9}, {25, 36, 44}}, // a state without a table of its own
        {"AK", {}, false, {2}, {}},
        {"7QP", {}, false, {4, 16, 30, 32, 41, 49, 53, 56}, {6, 8, 31, 35, 38, 46}},
        // Connecticut's rows are regions: its counties are not drawn.
        {"NEQP", {}, false, {23, 25, 33, 44, 50}, {9, 36}},
        {"MULTI", newEngland, false, {25, 50}, {9, 33, 36, 44}},
        {"MULTI", {{2020, 1}, {9003, 1}}, true, {}, {}}, // Alaska: the whole country
        {"MULTI", {}, true, {}, {}},
        // Connecticut worked by its regions only: shown whole, by outline.
        {"MULTI", {{23001, 1}}, false, {23}, {9, 25, 33, 36, 44}, {9}},
        {"USCQP", {{10001, 3}, {72127, 1}}, false, {10}, {24, 34, 42}},
        {"MARAC", {{15001, 1}}, true, {}, {}}, // Hawaii
        {"NAQP", newEngland, false, {25, 50}, {9, 33, 36, 44}}, // no tables
        {"ON", {}, true, {}, {}},          // a Canadian area
        {"", {}, true, {}, {}},
    };
    for (const AreaCase& c : cases) {
        const Selection selection = FindSelectionByCode(c.code).value_or(Selection());
        const MapArea area = MapAreaOfSelection(selection, nullptr, c.counts, c.entryStates);
        EXPECT_EQ(area.wholeCountry, c.wholeCountry) << c.code;
        if (c.wholeCountry) {
            EXPECT_EQ(area.states.size(), 51u) << c.code;
            EXPECT_TRUE(area.context.empty()) << c.code;
        } else {
            EXPECT_EQ(area.states, c.states) << c.code;
            EXPECT_EQ(area.context, c.context) << c.code;
        }
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

// The lines under the legend joined again by blanks.
std::string TextUnderMap(const std::string& svg) {
    std::string text;
    for (auto at = svg.find("font-size=\"20\">", svg.find("10 or more")); at != std::string::npos;
         at = svg.find("font-size=\"20\">", at + 1)) {
        const auto start = at + 15;
        text += (text.empty() ? "" : " ") + svg.substr(start, svg.find('<', start) - start);
    }
    return text;
}

TEST(CountyMap, FillTitleAndTooltipsFollowTheCounts) {
    const CountyQsoCounts counts{{1001, 1}, {1003, 3}, {1005, 9}, {1007, 10}, {1009, 0}, {2270, 2},
                                 {72127, 4}, {51515, 1}, {51019, 2}, {123456, 7}};
    const std::string al = RenderCountyMap(*FindSelectionByCode("AL"), nullptr, counts);
    EXPECT_NE(al.find("<title>Alabama QSO Party: 4 of 67 counties</title>"), std::string::npos);
    const std::pair<const char*, const char*> fills[] = {
        {"Autauga, Alabama (AUT, AUTA): 1 QSO<", "#fed976"}, {"Baldwin, Alabama (BAL, BALD): 3 QSOs", "#fd8d3c"},
        {"Barbour, Alabama (BAR, BARB): 9 QSOs", "#e31a1c"}, {"Bibb, Alabama (BIB, BIBB): 10 QSOs", "#800026"},
        {"Blount, Alabama (BLO, BLOU): no QSOs", "#ececec"},
    };
    for (const auto& [tooltip, fill] : fills) EXPECT_EQ(FillOf(al, tooltip), fill) << tooltip;
    // Counties worked off the map are named under it, territories included,
    // the last without a comma after it.
    EXPECT_TRUE(TextUnderMap(al).ends_with("Also worked off this map: AK,Kusilvak (2 QSOs); VA,Bedford (2 QSOs); "
                                           "VA,Bedford city (1 QSO); PR,San Juan Municipio (4 QSOs)"))
        << TextUnderMap(al);

    // One shape for Bedford County and Bedford city: their sum fills it, both are named.
    const std::string va = RenderCountyMap(*FindSelectionByCode("VA"), nullptr, counts);
    EXPECT_EQ(FillOf(va, "Bedford, Virginia (BED): 2 QSOs; Bedford city, Virginia (BEX): 1 QSO"), "#fd8d3c");
    EXPECT_EQ(va, RenderCountyMap(*FindSelectionByCode("VA"), nullptr, counts)); // the same bytes again
}

struct CountCase {
    const char* code;
    CountyQsoCounts counts;
    OtherCntyQsos others;
    const char* title;
    std::vector<const char*> notes; // texts under the map
};

TEST(CountyMap, TheTitleCountsTheFilledShapesAndTheRestIsNamed) {
    const CountCase cases[] = {
        // Alaska under MULTI: the whole country; Anchorage, Kusilvak (Wade Hampton's shape) and Hartford.
        {"MULTI", {{2020, 1}, {2270, 2}, {9003, 1}}, {}, "7QP/INQP/NEQP/DE: 3 of 3142 counties", {}},
        // Virginia: Bedford city inside Bedford, the cities on their own.
        {"VA", {{51510, 1}, {51059, 2}, {51515, 1}, {51019, 1}}, {}, "Virginia QSO Party: 3 of 133 counties",
         {"Independent cities are not counties (the log gets their state alone) but are drawn and counted"}},
        // New England: Connecticut's regions are named, not counted.
        {"NEQP", {{25001, 2}, {9003, 1}}, {{"CTCAP", 3}, {"XYZ", 1}, {"", 2}},
         "New England QSO Party: 1 of 59 counties",
         {"Connecticut regions (the party's entries there, not counties; not drawn): CTCAP (3 QSOs)",
          "Also worked off this map: CT,Hartford (1 QSO)",
          "CNTY values that name no county: other values (2 QSOs); XYZ (1 QSO)"}},
        // No Selection: the states worked.
        {"", {{25001, 2}}, {}, "Counties worked: 1 of 14 counties", {}},
    };
    for (const CountCase& c : cases) {
        const std::string svg = RenderCountyMap(FindSelectionByCode(c.code).value_or(Selection()), nullptr, c.counts, c.others);
        EXPECT_NE(svg.find(std::string("<title>") + c.title + "</title>"), std::string::npos) << c.code;
        const std::string text = TextUnderMap(svg);
        for (const char* note : c.notes) EXPECT_NE(text.find(note), std::string::npos) << c.code << ": " << note;
    }
}

struct ListCase {
    const char* code;
    AbbrevList::Mode mode;
    std::string_view list; // the operator's list file
    const char* title;
    std::vector<const char*> tooltips;
};

TEST(CountyMap, TheOperatorsListComesFirstInTheTooltips) {
    constexpr auto kExtend = AbbrevList::Mode::Extend;
    constexpr auto kReplace = AbbrevList::Mode::Replace;
    const ListCase cases[] = {
        // A new abbreviation comes before the table's.
        {"AL", kExtend, "abbreviation,county_id\nAUTX,1001\n", "Alabama QSO Party: 0 of 67 counties",
         {"Autauga, Alabama (AUTX, AUT, AUTA): no QSOs"}},
        // An abbreviation the list gives another county shows with that county alone.
        {"AL", kExtend, "abbreviation,county_id\nAUT,1003\n", "Alabama QSO Party: 0 of 67 counties",
         {"Autauga, Alabama (AUTA): no QSOs", "Baldwin, Alabama (AUT, BAL, BALD): no QSOs"}},
        // A replacing list leaves the county table out, the cities' table stays.
        {"VA", kReplace, "abbreviation,county_id\nFAIR,51059\n", "Virginia QSO Party: 0 of 133 counties",
         {"Fairfax, Virginia (FAIR): no QSOs", "Bedford, Virginia: no QSOs; Bedford city, Virginia (BEX): no QSOs"}},
        // A party's area is that of its list and the tables beside it.
        {"7QP", kReplace, "abbreviation,county_id\nSLC,49035\n", "7-Land QSO Party: 0 of 46 counties",
         {"Salt Lake, Utah (SLC): no QSOs"}},
    };
    for (const ListCase& c : cases) {
        AbbrevList list(c.mode);
        ASSERT_EQ(list.AddFile(c.list, "list.csv"), std::nullopt) << c.list;
        const std::string svg = RenderCountyMap(*FindSelectionByCode(c.code), &list, {});
        EXPECT_NE(svg.find(std::string("<title>") + c.title + "</title>"), std::string::npos) << c.list;
        for (const char* tooltip : c.tooltips)
            EXPECT_NE(svg.find(std::string("<title>") + tooltip + "</title>"), std::string::npos) << tooltip;
    }
}

// The points of the path of the county whose tooltip starts with `tooltip`,
// in the picture's units.
std::vector<std::pair<long, long>> PointsOf(const std::string& svg, const std::string& tooltip) {
    std::vector<std::pair<long, long>> points;
    const auto at = svg.find("<title>" + tooltip);
    const auto path = svg.rfind("<path d=\"", at);
    if (at == std::string::npos || path == std::string::npos) return points;
    // "M x y l dx dy ... z" per ring: a ring starts after each 'z'.
    std::istringstream rings(svg.substr(path + 9, svg.find('"', path + 9) - path - 9));
    std::string ring;
    while (std::getline(rings, ring, 'z')) {
        std::istringstream numbers(ring.substr(ring.find('M') + 1));
        long x = 0, y = 0, dx = 0, dy = 0;
        numbers >> x >> y;
        points.emplace_back(x, y);
        numbers.ignore(1); // 'l'
        while (numbers >> dx >> dy) points.emplace_back(x += dx, y += dy);
    }
    return points;
}

// The slope in degrees of the line through the southernmost (or
// northernmost) points of two counties.
double EdgeSlope(const std::string& svg, const std::string& a, const std::string& b, bool south) {
    const auto extreme = [&](const std::string& county) {
        const auto points = PointsOf(svg, county);
        std::pair<long, long> best{0, 0};
        for (const auto& p : points)
            if (best == std::pair<long, long>{0, 0} || (south ? p.second > best.second : p.second < best.second)) best = p;
        return best;
    };
    const auto pa = extreme(a), pb = extreme(b);
    if (pa.first == pb.first) return 90;
    return std::atan(static_cast<double>(pb.second - pa.second) / static_cast<double>(pb.first - pa.first)) * 180 /
           3.14159265358979;
}

TEST(CountyMap, StatesAreUpright) {
    struct Case {
        const char* code;
        const char* a;
        const char* b;
        bool south; // the two counties' southern edges lie on one parallel (else their northern)
    };
    const Case cases[] = {
        {"NY", "Chautauqua, New York", "Broome, New York", true},          // 42 degrees north
        {"TX", "Dallam, Texas", "Lipscomb, Texas", false},                 // 36.5
        {"CO", "Moffat, Colorado", "Sedgwick, Colorado", false},           // 41
        {"7QP", "Humboldt, Nevada", "Box Elder, Utah", false},             // 42, a regional party
        {"VA", "Lee, Virginia", "Brunswick, Virginia", true},              // about 36.5
    };
    for (const Case& c : cases) {
        const std::string svg = RenderCountyMap(*FindSelectionByCode(c.code), nullptr, {});
        ASSERT_FALSE(PointsOf(svg, c.a).empty()) << c.a;
        ASSERT_FALSE(PointsOf(svg, c.b).empty()) << c.b;
        EXPECT_LT(std::abs(EdgeSlope(svg, c.a, c.b, c.south)), 2.0) << c.code;
    }
}

} // namespace
} // namespace shirl
