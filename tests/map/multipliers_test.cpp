// The party's multipliers: one count per Selection with a table, and the
// title of its map saying the same.
#include <gtest/gtest.h>

#include <string>

#include "map/county_map.h"
#include "map/multipliers.h"

namespace shirl {
namespace {

TEST(Multipliers, EverySelectionWithATableCountsItsOwn) {
    struct Case {
        const char* code;
        int total;
    };
    // Counties per state; Virginia and Nevada with their cities; New England
    // with Connecticut's nine regions; several tables summed.
    const Case cases[] = {
        {"AL", 67}, {"AR", 75}, {"AZ", 15}, {"CA", 58}, {"CO", 64}, {"DE", 3}, {"FL", 67}, {"GA", 159}, {"HI", 5},
        {"IA", 99}, {"ID", 43}, {"IL", 102}, {"IN", 92}, {"KS", 105}, {"KY", 120}, {"LA", 64}, {"MD", 24}, {"ME", 16},
        {"MI", 83}, {"MN", 87}, {"MO", 115}, {"MS", 82}, {"MT", 56}, {"NC", 100}, {"ND", 53}, {"NE", 93}, {"NH", 10},
        {"NJ", 21}, {"NM", 33}, {"NV", 17}, {"NY", 62}, {"OH", 88}, {"OK", 77}, {"OR", 36}, {"PA", 67}, {"SC", 46},
        {"SD", 66}, {"TN", 95}, {"TX", 254}, {"VA", 134}, {"VT", 14}, {"WA", 39}, {"WI", 72}, {"WV", 55},
        {"MARAC", 3073}, {"MAQP", 327}, {"NEQP", 68}, {"7QP", 259}, {"USCQP", 3073}, {"MULTI", 3495},
    };
    int checked = 0;
    for (int index = 0; index < kSelectionCount; ++index) {
        const Selection selection(index);
        const auto sets = PartyMultiplierSets(selection, nullptr);
        if (sets.empty()) continue;
        ++checked;
        const Case* c = nullptr;
        for (const Case& row : cases)
            if (selection.Code() == row.code) c = &row;
        ASSERT_NE(c, nullptr) << selection.Code() << " has a table but no row here";
        EXPECT_EQ(CountMultipliers(sets, {}, {}).total, c->total) << c->code;
        const std::string svg = RenderCountyMap(selection, nullptr, {});
        EXPECT_NE(svg.find(": 0 of " + std::to_string(c->total) + " counties</title>"), std::string::npos) << c->code;
    }
    EXPECT_EQ(checked, static_cast<int>(std::size(cases)));
    // Worked: by shape (Shannon is Oglala Lakota), regions by their text in any case.
    const auto neqp = PartyMultiplierSets(*FindSelectionByCode("NEQP"), nullptr);
    EXPECT_EQ(CountMultipliers(neqp, {{25001, 2}, {9003, 1}}, {{"ctcap", 1}, {"XYZ", 1}}).worked, 2);
    const auto sd = PartyMultiplierSets(*FindSelectionByCode("SD"), nullptr);
    EXPECT_EQ(CountMultipliers(sd, {{46113, 1}, {46102, 1}}, {}).worked, 1);
}

} // namespace
} // namespace shirl
