#pragma once
// The Albers equal-area conic projection on the sphere, in integer
// arithmetic only: the same point gives the same result on every platform,
// whatever its math library.
#include <cstdint>

#include "data/map_shapes.h"

namespace shirl {

// Angles in 1/100000 degree, as the map's points hold them.
struct ConicParameters {
    std::int32_t centralLongitude = 0;
    std::int32_t parallel1 = 0, parallel2 = 0; // the standard parallels, north of the equator
    std::int32_t originLatitude = 0;           // y = 0 on the central meridian
};

// The conic fitted to an area between these longitudes and latitudes: its
// central meridian in the middle (so the parallels are level there), its
// standard parallels a sixth of the latitudes in from either edge.
ConicParameters ConicForArea(std::int32_t west, std::int32_t east, std::int32_t south, std::int32_t north);

// A projected point in 1/2^20 of the sphere's radius, x east, y south (as a
// picture counts downwards).
struct PlanePoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
};

class ConicProjection {
public:
    explicit ConicProjection(const ConicParameters& parameters);
    // The point `p` (longitude, latitude) on the plane.
    PlanePoint Project(MapPoint p) const;

private:
    std::int64_t Rho(std::int32_t latitude) const;

    std::int32_t m_centralLongitude;
    std::int64_t m_n;   // the cone constant, 2^30 = 1
    std::int64_t m_c;   // cos^2 of parallel 1 + 2 n sin of parallel 1, 2^30 = 1
    std::int64_t m_rho0; // rho of the origin latitude, 2^20 = 1
};

} // namespace shirl
