// The area each kind of Selection draws: its states, the bordering states
// shown as context, and when the whole country is drawn.
#include <gtest/gtest.h>

#include <set>
#include <vector>

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
        // Nationwide parties and those without tables: the whole country.
        {"MULTI", newEngland, true, {}, {}},
        {"MULTI", {{2020, 1}, {9003, 1}}, true, {}, {}},
        {"USCQP", {{10001, 3}, {72127, 1}}, true, {}, {}},
        {"MARAC", {{15001, 1}}, true, {}, {}},
        {"NAQP", newEngland, true, {}, {}},
        // No Selection: the states worked; Connecticut worked by its regions only: shown whole, by outline.
        {"", {{23001, 1}}, false, {23}, {9, 25, 33, 36, 44}, {9}},
        {"", newEngland, false, {25, 50}, {9, 33, 36, 44}},
        {"ON", {}, true, {}, {}},          // a Canadian area (it gets no map: SelectionHasMap)
        {"", {}, true, {}, {}},
    };
    EXPECT_FALSE(SelectionHasMap(*FindSelectionByCode("ON")));
    EXPECT_TRUE(SelectionHasMap(*FindSelectionByCode("CT")));
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

} // namespace
} // namespace shirl
