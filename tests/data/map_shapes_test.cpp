// The map's shapes: every gazetteer county of the 50 states and DC has a
// shape to be drawn as, renamed and merged counties are drawn as their
// successors, the territories have none, the shapes lie where the states
// are, and the borders between states go both ways.
#include <gtest/gtest.h>

#include <tuple>

#include "data/gazetteer.h"
#include "data/map_shapes.h"

namespace shirl {
namespace {

bool IsTerritory(std::string_view state) {
    return state == "AS" || state == "GU" || state == "MP" || state == "PR" || state == "UM" || state == "VI";
}

TEST(MapShapes, EveryCountyOfTheStatesHasAShape) {
    int counties = 0;
    for (const GazetteerRow& row : Gazetteer()) {
        const int id = CountyId(row);
        const int shape = DrawnAsShapeId(id);
        if (IsTerritory(row.stateCode)) {
            EXPECT_EQ(shape, -1) << id;
            continue;
        }
        ++counties;
        if (id == 51515) { // Bedford city: merged into Bedford County, no shape; named under the map
            EXPECT_EQ(shape, -1);
            continue;
        }
        ASSERT_NE(FindMapShape(MapCountyShapes(), shape), nullptr) << row.cntyValue;
        EXPECT_EQ(shape / 1000, row.stateNumber) << row.cntyValue;
        EXPECT_NE(FindMapShape(MapStateShapes(), row.stateNumber), nullptr) << row.cntyValue;
    }
    EXPECT_EQ(counties, 3143);
    EXPECT_EQ(MapCountyShapes().size(), 3142u);
    EXPECT_EQ(MapStateShapes().size(), 51u);
}

TEST(MapShapes, RenamedAndMergedCountiesDrawnAsTheirSuccessors) {
    const std::pair<int, int> cases[] = {
        {2270, 2158},   // Wade Hampton: Kusilvak
        {46113, 46102}, // Shannon: Oglala Lakota
        {51515, -1},    // Bedford city: no shape of its own, not its county's
        {1001, 1001},   // Autauga: its own
        {72127, -1},    // San Juan, PR: no shape
        {99999, -1},
    };
    for (const auto& [county, shape] : cases) EXPECT_EQ(DrawnAsShapeId(county), shape) << county;
}

TEST(MapShapes, ConnecticutsRegionsHaveShapesAndNames) {
    ASSERT_EQ(MapRegions().size(), 9u);
    ASSERT_EQ(MapRegionShapes().size(), 9u);
    for (std::size_t i = 0; i < MapRegions().size(); ++i) {
        EXPECT_EQ(MapRegions()[i].id, MapRegionShapes()[i].id);
        EXPECT_EQ(MapRegions()[i].id / 1000, 9);
        EXPECT_TRUE(MapRegions()[i].abbreviation.starts_with("CT")) << MapRegions()[i].name;
    }
}

TEST(MapShapes, PointsLieInTheStatesLongitudesAndLatitudes) {
    // Alaska's islands west of 180 degrees lie below -180, so no ring jumps.
    for (const auto shapes : {MapCountyShapes(), MapStateShapes(), MapRegionShapes()})
        for (const MapShape& shape : shapes) {
            ASSERT_FALSE(shape.rings.empty()) << shape.id;
            const bool alaska = shape.id == 2 || shape.id / 1000 == 2;
            for (const MapRing& ring : shape.rings)
                for (const MapPoint& p : ring.points) {
                    EXPECT_TRUE(p.x >= (alaska ? -19000000 : -16100000) && p.x <= (alaska ? -12900000 : -6600000) &&
                                p.y >= 1800000 && p.y <= 7200000)
                        << shape.id;
                }
        }
}

TEST(MapShapes, StateBordersAreSharedBothWays) {
    const std::tuple<int, int, bool> cases[] = {
        {36, 42, true},  // NY, PA
        {42, 36, true},
        {11, 24, true},  // DC, MD
        {4, 8, false},   // AZ, CO: a corner only
        {36, 23, false}, // NY, ME
        {2, 53, false},  // AK, WA
    };
    for (const auto& [a, b, border] : cases) EXPECT_EQ(StatesBorder(a, b), border) << a << " " << b;
}

} // namespace
} // namespace shirl
