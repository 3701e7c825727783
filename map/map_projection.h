#pragma once
// Where a map puts the points of the states: each state through the conic
// of its panel (one conic fitted to the area; the nationwide map has three,
// the 48 states with Alaska and Hawaii as insets), then scaled to fit the
// picture, in whole map units. Integer arithmetic only.
#include <cstdint>
#include <vector>

#include "data/map_shapes.h"
#include "map/conic_projection.h"

namespace shirl {

struct MapUnitsPoint {
    long x = 0;
    long y = 0; // downwards
};

class MapProjection {
public:
    // The states `fitted` (FIPS numbers) in one conic fitted to them, scaled
    // to fit `maxWidth` x `maxHeight` map units with a margin of `marginPercent`
    // of the larger side around them.
    static MapProjection ForArea(const std::vector<int>& fitted, long maxWidth, long maxHeight, int marginPercent);
    // The 50 states and DC, Alaska and Hawaii as insets at the lower left.
    static MapProjection Nationwide(long maxWidth, long maxHeight);

    // The point `p` of a shape of the state `stateFips`.
    MapUnitsPoint Project(int stateFips, MapPoint p) const;
    long Width() const { return m_width; }
    long Height() const { return m_height; }

private:
    struct Panel {
        ConicProjection conic;
        int stateFips = 0;              // the state it serves; 0: all others
        std::int64_t scalePercent = 100; // of the plane's units
        std::int64_t offsetX = 0, offsetY = 0;
    };
    struct Box {
        std::int64_t minX = 0, minY = 0, maxX = 0, maxY = 0;
        bool empty = true;
        void Grow(const PlanePoint& p);
    };

    const Panel& PanelOf(int stateFips) const;
    PlanePoint OnPlane(const Panel& panel, MapPoint p) const;
    Box StatesBox(const std::vector<int>& states) const;
    void Fit(Box box, long maxWidth, long maxHeight);

    std::vector<Panel> m_panels;
    std::int64_t m_originX = 0, m_originY = 0; // plane units at the picture's corner
    std::int64_t m_scaleNumerator = 1, m_scaleDenominator = 1; // map units per plane unit
    long m_width = 0, m_height = 0;
};

} // namespace shirl
