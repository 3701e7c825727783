#include "data/map_shapes.h"

#include <algorithm>

#include "data/map_tables.h"

namespace shirl {

const MapShape* FindMapShape(std::span<const MapShape> shapes, int id) {
    const auto it = std::lower_bound(shapes.begin(), shapes.end(), id,
                                     [](const MapShape& shape, int value) { return shape.id < value; });
    return it != shapes.end() && it->id == id ? &*it : nullptr;
}

bool StatesBorder(int a, int b) {
    const auto rows = detail::MapStateBorderRows();
    return std::binary_search(rows.begin(), rows.end(), detail::StateBorderRow{a, b},
                              [](const detail::StateBorderRow& x, const detail::StateBorderRow& y) {
                                  return x.state != y.state ? x.state < y.state : x.neighbour < y.neighbour;
                              });
}

int DrawnAsShapeId(int countyId) {
    if (FindMapShape(MapCountyShapes(), countyId)) return countyId;
    const auto rows = detail::MapDrawnAsRows();
    const auto it = std::lower_bound(rows.begin(), rows.end(), countyId,
                                     [](const detail::DrawnAsRow& row, int value) { return row.countyId < value; });
    return it != rows.end() && it->countyId == countyId ? it->shapeId : -1;
}

} // namespace shirl
