// The county map: the fill and tooltip each county gets from its QSO count
// and the search order, the party's multipliers in the title, every value
// not drawn named under the map, every worked county visible and the
// classes told apart (measured on the picture).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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

// The element (path or circle) whose tooltip starts with `tooltip`.
std::string ElementOf(const std::string& svg, const std::string& tooltip) {
    const auto at = svg.find("<title>" + tooltip);
    if (at == std::string::npos) return {};
    const auto start = std::max(svg.rfind("<path ", at) == std::string::npos ? 0 : svg.rfind("<path ", at),
                                svg.rfind("<circle ", at) == std::string::npos ? 0 : svg.rfind("<circle ", at));
    return svg.substr(start, at - start);
}

// The fill of the county whose tooltip starts with `tooltip`: its own, or
// its group's.
std::string FillOf(const std::string& svg, const std::string& tooltip) {
    const std::string element = ElementOf(svg, tooltip);
    if (element.empty()) return "no county " + tooltip;
    if (const auto own = element.find(" fill=\""); own != std::string::npos) return element.substr(own + 7, 7);
    const auto group = svg.rfind("<g fill=\"", svg.find("<title>" + tooltip));
    return svg.substr(group + 9, 7);
}

// The lines under the legend joined again by blanks.
std::string TextUnderMap(const std::string& svg) {
    std::string text;
    for (auto at = svg.find("font-size=\"20\">", svg.find(">10 or more<")); at != std::string::npos;
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
        {"Autauga, Alabama (AUT, AUTA): 1 QSO<", "#e0600f"}, {"Baldwin, Alabama (BAL, BALD): 3 QSOs", "#b13d08"},
        {"Barbour, Alabama (BAR, BARB): 9 QSOs", "#7a2105"}, {"Bibb, Alabama (BIB, BIBB): 10 QSOs", "#3a0a02"},
        {"Blount, Alabama (BLO, BLOU): no QSOs", "#f2f2f2"},
    };
    for (const auto& [tooltip, fill] : fills) EXPECT_EQ(FillOf(al, tooltip), fill) << tooltip;
    // Counties worked off the map are named under it, territories included,
    // the last without a comma after it.
    EXPECT_TRUE(TextUnderMap(al).ends_with("Also worked off this map: AK,Kusilvak (2 QSOs); VA,Bedford (2 QSOs); "
                                           "VA,Bedford city (1 QSO); PR,San Juan Municipio (4 QSOs)"))
        << TextUnderMap(al);

    // Bedford city has no shape of its own: named under the map, its county filled by its own QSOs.
    const std::string va = RenderCountyMap(*FindSelectionByCode("VA"), nullptr, counts);
    EXPECT_EQ(FillOf(va, "Bedford, Virginia (BED): 2 QSOs<"), "#b13d08");
    EXPECT_NE(TextUnderMap(va).find("Worked, without a shape of their own: VA,Bedford city (1 QSO)"), std::string::npos)
        << TextUnderMap(va);
    // The description names the totals and every county worked.
    EXPECT_NE(al.find("<desc>Alabama QSO Party: 4 of 67 counties. Worked: AL,Autauga (1 QSO); AL,Baldwin (3 QSOs); "
                      "AL,Barbour (9 QSOs); AL,Bibb (10 QSOs). Also worked off this map:"),
              std::string::npos);
    EXPECT_EQ(va, RenderCountyMap(*FindSelectionByCode("VA"), nullptr, counts)); // the same bytes again
}

struct CountCase {
    const char* code;
    CountyQsoCounts counts;
    OtherCntyQsos others;
    const char* title;
    std::vector<const char*> notes; // texts under the map
};

TEST(CountyMap, TheTitleCountsThePartysMultipliersAndTheRestIsNamed) {
    const CountCase cases[] = {
        // Several tables: the sum of their multipliers, a county counted in each table that has it
        // (Adams, Indiana twice; Alaska is in none).
        {"MULTI", {{2020, 1}, {2270, 2}, {9003, 1}, {18001, 1}}, {}, "7QP/INQP/NEQP/DE: 3 of 3495 counties", {}},
        // Virginia: the cities count; Bedford city, without a shape, named.
        {"VA", {{51510, 1}, {51059, 2}, {51515, 1}, {51019, 1}}, {}, "Virginia QSO Party: 4 of 134 counties",
         {"Independent cities are not counties (the log gets their state alone) but are drawn and counted",
          "Worked, without a shape of their own: VA,Bedford city (1 QSO)"}},
        // The Mid-Atlantic party does not count Virginia's cities: drawn, named apart, not counted.
        {"MAQP", {{51510, 1}, {51059, 2}}, {}, "Mid-Atlantic QSO Party: 1 of 327 counties",
         {"Drawn but not among the party's multipliers: VA,Alexandria city (1 QSO)"}},
        // New England: Connecticut's regions are drawn and count; a Connecticut county is named.
        {"NEQP", {{25001, 2}, {9003, 1}}, {{"ctcap", 3}, {"XYZ", 1}, {"", 2}},
         "New England QSO Party: 2 of 68 counties",
         {"Connecticut's counties, drawn by its planning regions: CT,Hartford (1 QSO)",
          "Values that name no county: other values (2 QSOs); XYZ (1 QSO)"}},
        // A nationwide party: the whole country, its own count.
        {"USCQP", {{48001, 1}, {15001, 1}}, {}, "US Counties QSO Party: 2 of 3073 counties", {}},
        // Connecticut's regions drawn whole-country too, where one of the tables counts them.
        {"MULTI", {}, {{"CTWES", 1}}, "7QP/INQP/NEQP/DE: 1 of 3495 counties", {}},
        // No Selection: the states worked, their shapes counted.
        {"", {{25001, 2}}, {}, "Counties worked: 1 of 14 counties", {}},
    };
    for (const CountCase& c : cases) {
        const std::string svg = RenderCountyMap(FindSelectionByCode(c.code).value_or(Selection()), nullptr, c.counts, c.others);
        EXPECT_NE(svg.find(std::string("<title>") + c.title + "</title>"), std::string::npos)
            << c.code << ": " << svg.substr(svg.find("<title>"), 80);
        const std::string text = TextUnderMap(svg);
        for (const char* note : c.notes) EXPECT_NE(text.find(note), std::string::npos) << c.code << ": " << note << "\n" << text;
    }
    // The regions are filled from the values that name them.
    const std::string neqp = RenderCountyMap(*FindSelectionByCode("NEQP"), nullptr, {}, {{"ctcap", 3}});
    EXPECT_EQ(FillOf(neqp, "Capitol planning region, Connecticut (CTCAP): 3 QSOs"), "#b13d08");
    EXPECT_EQ(FillOf(neqp, "Western Connecticut planning region, Connecticut (CTWES): no QSOs"), "#f2f2f2");
}

TEST(CountyMap, ValuesBeyondWhatFitsAreCounted) {
    OtherCntyQsos others;
    for (int i = 0; i < 64; ++i) others["WWWWWWWWWWWW" + std::to_string(100 + i)] = 1;
    const std::string text = TextUnderMap(RenderCountyMap(*FindSelectionByCode("DE"), nullptr, {}, others));
    // The values named and those counted add up to all 64.
    int named = 0;
    for (auto at = text.find("(1 QSO)"); at != std::string::npos; at = text.find("(1 QSO)", at + 1)) ++named;
    const auto more = text.rfind("and ");
    ASSERT_NE(more, std::string::npos) << text;
    const int counted = std::stoi(text.substr(more + 4));
    EXPECT_TRUE(text.ends_with(" more")) << text;
    EXPECT_EQ(named + counted, 64) << text;
}

// The bounding box of an element, in the map's units, and the area of its
// largest ring (shoelace; a circle: its square).
struct Box {
    long minX = 0, minY = 0, maxX = 0, maxY = 0;
    double area = 0;
    long Shorter() const { return std::min(maxX - minX, maxY - minY); }
};

long Number(const std::string& element, const std::string& name) {
    const auto at = element.find(" " + name + "=\"");
    return at == std::string::npos ? 0 : std::stol(element.substr(at + name.size() + 3));
}

Box BoxOf(const std::string& element) {
    if (element.starts_with("<circle")) {
        const long x = Number(element, "cx"), y = Number(element, "cy"), r = Number(element, "r");
        return {x - r, y - r, x + r, y + r, 4.0 * r * r};
    }
    // "M x y l dx dy ... z" per ring.
    std::string d = element.substr(element.find("d=\"") + 3);
    d = d.substr(0, d.find('"'));
    Box box{0, 0, 0, 0, 0};
    bool first = true;
    std::istringstream rings(d);
    std::string ring;
    while (std::getline(rings, ring, 'z')) {
        if (ring.find('M') == std::string::npos) continue;
        std::istringstream numbers(ring.substr(ring.find('M') + 1));
        std::vector<std::pair<long, long>> points;
        long x = 0, y = 0, dx = 0, dy = 0;
        numbers >> x >> y;
        points.emplace_back(x, y);
        numbers.ignore(2, 'l');
        while (numbers >> dx >> dy) points.emplace_back(x += dx, y += dy);
        double twice = 0;
        for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            twice += static_cast<double>(points[j].first) * points[i].second - static_cast<double>(points[i].first) * points[j].second;
            const auto [px, py] = points[i];
            if (first) box = {px, py, px, py, 0};
            box = {std::min(box.minX, px), std::min(box.minY, py), std::max(box.maxX, px), std::max(box.maxY, py), box.area};
            first = false;
        }
        box.area = std::max(box.area, std::abs(twice) / 2);
    }
    return box;
}

TEST(CountyMap, EveryWorkedCountyHasAVisibleMark) {
    struct Case {
        const char* code;
        CountyQsoCounts counts; // the county of the case with 1 QSO, busy neighbours
        const char* tooltip;
    };
    const CountyQsoCounts busyVirginia{{51610, 1}, {51685, 1}, {51678, 1}, {51059, 15}, {51013, 15}, {51683, 15}, {51153, 15}, {51163, 15}};
    const CountyQsoCounts nationwide{{11001, 1}, {29510, 1}, {29189, 12}, {36061, 1}, {36047, 12}, {2016, 1}, {2013, 12},
                                     {51610, 1}, {51059, 15}, {51013, 15}};
    const Case cases[] = {
        {"VA", busyVirginia, "Falls Church city, Virginia"},
        {"VA", busyVirginia, "Manassas Park city, Virginia"},
        {"VA", busyVirginia, "Lexington city, Virginia"},
        {"USCQP", nationwide, "District of Columbia, District of Columbia"},
        {"USCQP", nationwide, "St. Louis City, Missouri"},
        {"USCQP", nationwide, "New York, New York"},
        {"USCQP", nationwide, "Aleutians West Census Area, Alaska"},
        {"USCQP", nationwide, "Falls Church city, Virginia"},
        {"MARAC", nationwide, "District of Columbia, District of Columbia"},
    };
    for (const Case& c : cases) {
        const std::string svg = RenderCountyMap(*FindSelectionByCode(c.code), nullptr, c.counts);
        const std::string element = ElementOf(svg, c.tooltip);
        ASSERT_FALSE(element.empty()) << c.code << " " << c.tooltip;
        const Box box = BoxOf(element);
        // At least 4 pixels (16 units) across both ways, a ring of it covering at least such a square.
        EXPECT_GE(box.Shorter(), 16) << c.code << " " << c.tooltip;
        EXPECT_GE(box.area, 16.0 * 16.0) << c.code << " " << c.tooltip;
        // Drawn after every unworked county and the state borders...
        const auto at = svg.find(element);
        EXPECT_GT(at, svg.rfind("stroke=\"#222222\"")) << c.tooltip;
        // ...and nothing drawn after it covers it whole.
        for (auto later = svg.find("<path ", at + 1); later != std::string::npos; later = svg.find("<path ", later + 1)) {
            const Box over = BoxOf(svg.substr(later, svg.find('>', later) - later));
            EXPECT_FALSE(over.minX <= box.minX && over.minY <= box.minY && over.maxX >= box.maxX && over.maxY >= box.maxY)
                << c.code << " " << c.tooltip << " under " << svg.substr(later, 60);
        }
    }
}

// The relative luminance of "#rrggbb" (sRGB).
double Luminance(const std::string& colour) {
    double sum = 0;
    const double weights[] = {0.2126, 0.7152, 0.0722};
    for (int i = 0; i < 3; ++i) {
        const double c = std::stoi(colour.substr(1 + 2 * i, 2), nullptr, 16) / 255.0;
        sum += weights[i] * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

TEST(CountyMap, TheClassesAreApartInContrastAndGreyScale) {
    const std::string svg = RenderCountyMap(*FindSelectionByCode("AL"), nullptr, {});
    std::vector<double> swatches; // the legend's, in order
    for (auto at = svg.find("<rect x="); at != std::string::npos; at = svg.find("<rect x=", at + 1))
        swatches.push_back(Luminance(svg.substr(svg.find("fill=\"", at) + 6, 7)));
    ASSERT_EQ(swatches.size(), 5u);
    const auto contrast = [](double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); };
    EXPECT_GE(contrast(swatches[0], swatches[1]), 3.0) << "the first class against none";
    for (std::size_t i = 1; i < swatches.size(); ++i) EXPECT_GE(contrast(swatches[i - 1], swatches[i]), 1.5) << i;
    // The white lines of the worked counties stand out on every worked class.
    for (std::size_t i = 1; i < swatches.size(); ++i) EXPECT_GE(contrast(1.0, swatches[i]), 3.0) << i;
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
        {"VA", kReplace, "abbreviation,county_id\nFAIR,51059\n", "Virginia QSO Party: 0 of 40 counties",
         {"Fairfax, Virginia (FAIR): no QSOs", "Bedford, Virginia: no QSOs"}},
        // A party's area is that of its list and the tables beside it.
        {"7QP", kReplace, "abbreviation,county_id\nSLC,49035\n", "7-Land QSO Party: 0 of 2 counties",
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

} // namespace
} // namespace shirl
