#pragma once
// Map shapes as SVG path data in whole map units (a fixed fraction of a pixel).
#include <string>

#include "data/map_shapes.h"
#include "map/map_projection.h"

namespace shirl {

// `shape` as path data ("M x y l dx dy ... z" per ring, points that round
// onto the one before left out), and its extent in map units.
struct ShapePath {
    std::string d;
    long minX = 0, minY = 0, maxX = 0, maxY = 0;
};
ShapePath PathOfShape(const MapShape& shape, const MapProjection& projection);

} // namespace shirl
