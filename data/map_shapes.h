#pragma once
// The county and state shapes of the map in longitude and latitude, and the
// states that border each other, from data/map/.
#include <cstdint>
#include <span>
#include <string_view>

namespace shirl {

// A point in 1/100000 degree: x the longitude (west negative; Alaska's
// islands west of 180 degrees below -18000000), y the latitude.
struct MapPoint {
    std::int32_t x;
    std::int32_t y;
};

// One closed ring of a shape (the last point joins the first).
struct MapRing {
    std::span<const MapPoint> points;
};

// A county (id: state FIPS * 1000 + county FIPS, as the atlas numbers it) or
// a state (id: its state FIPS): its rings, outer rings and holes alike
// (drawn with the even-odd rule).
struct MapShape {
    int id;
    std::span<const MapRing> rings;
};

// The counties of the 50 states and DC, ascending by id.
std::span<const MapShape> MapCountyShapes();
// The states and DC, ascending by id.
std::span<const MapShape> MapStateShapes();

// Connecticut's planning regions (the Census Bureau's county-equivalents
// since 2022; ids 9110 to 9190), ascending by id, drawn where a party's
// table counts them.
std::span<const MapShape> MapRegionShapes();

// A region of MapRegionShapes: its name and the abbreviation a log gives it.
struct MapRegion {
    int id;
    std::string_view name;         // "Capitol"
    std::string_view abbreviation; // "CTCAP"
};
// Ascending by id, one for each of MapRegionShapes.
std::span<const MapRegion> MapRegions();

// The id of the shape the gazetteer county `countyId` is drawn as (the
// county's own id, or the shape of the county that renamed or absorbed it),
// or -1 when the map has no shape for it (the territories).
int DrawnAsShapeId(int countyId);

// Whether the states (FIPS numbers) `a` and `b` share a stretch of border.
bool StatesBorder(int a, int b);

// The shape with this id in `shapes`, or nullptr.
const MapShape* FindMapShape(std::span<const MapShape> shapes, int id);

} // namespace shirl
