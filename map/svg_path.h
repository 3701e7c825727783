#pragma once
// Map shapes as SVG path data, projected from the atlas frame onto a map
// drawn in whole units (a fixed fraction of a pixel).
#include <string>

#include "data/map_shapes.h"

namespace shirl {

// The rectangle of the frame a map shows, in the frame's units.
struct FrameBox {
    std::int32_t minX = 0, minY = 0, maxX = 0, maxY = 0;
};

// The box around `shape` grown to hold it; an empty box (all zero and
// `empty`) takes the shape's own extent.
void GrowBox(FrameBox& box, bool& empty, const MapShape& shape);

// Frame units to map units: scaled about the box's corner, rounded.
class MapProjection {
public:
    MapProjection(FrameBox box, double unitsPerFrameUnit) : m_box(box), m_scale(unitsPerFrameUnit) {}
    long X(std::int32_t x) const;
    long Y(std::int32_t y) const;

private:
    FrameBox m_box;
    double m_scale;
};

// `shape` as path data ("M x y l dx dy ... z" per ring, points that round
// onto the one before left out), and its extent in map units.
struct ShapePath {
    std::string d;
    long minX = 0, minY = 0, maxX = 0, maxY = 0;
};
ShapePath PathOfShape(const MapShape& shape, const MapProjection& projection);

} // namespace shirl
