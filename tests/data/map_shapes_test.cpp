// The map's shapes: every gazetteer county of the 50 states and DC has a
// shape to be drawn as, renamed and merged counties are drawn as their
// successors, the territories have none, and the shapes lie in the frame.
#include <gtest/gtest.h>

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
        {51515, 51019}, // Bedford city: inside Bedford County
        {1001, 1001},   // Autauga: its own
        {72127, -1},    // San Juan, PR: no shape
        {99999, -1},
    };
    for (const auto& [county, shape] : cases) EXPECT_EQ(DrawnAsShapeId(county), shape) << county;
}

TEST(MapShapes, PointsLieAroundTheFrame) {
    // Alaska's western islands reach left of the frame; nothing else leaves it.
    for (const auto shapes : {MapCountyShapes(), MapStateShapes()})
        for (const MapShape& shape : shapes) {
            ASSERT_FALSE(shape.rings.empty()) << shape.id;
            for (const MapRing& ring : shape.rings)
                for (const MapPoint& p : ring.points) {
                    EXPECT_TRUE(p.x >= -6000 && p.x <= kMapFrameWidth && p.y >= 0 && p.y <= kMapFrameHeight)
                        << shape.id;
                }
        }
}

} // namespace
} // namespace shirl
