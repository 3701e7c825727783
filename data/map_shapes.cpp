#include "data/map_shapes.h"

#include <algorithm>

#include "data/map_tables.h"

namespace shirl {

const MapShape* FindMapShape(std::span<const MapShape> shapes, int id) {
    const auto it = std::lower_bound(shapes.begin(), shapes.end(), id,
                                     [](const MapShape& shape, int value) { return shape.id < value; });
    return it != shapes.end() && it->id == id ? &*it : nullptr;
}

int DrawnAsShapeId(int countyId) {
    if (FindMapShape(MapCountyShapes(), countyId)) return countyId;
    const auto rows = detail::MapDrawnAsRows();
    const auto it = std::lower_bound(rows.begin(), rows.end(), countyId,
                                     [](const detail::DrawnAsRow& row, int value) { return row.countyId < value; });
    return it != rows.end() && it->countyId == countyId ? it->shapeId : -1;
}

} // namespace shirl
