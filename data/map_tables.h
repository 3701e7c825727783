#pragma once
// Internal to data/: the rows of data/map/drawn_as.csv as the generated
// map tables (data/tools/generate_map_tables.py) hand them out.
#include <span>

namespace shirl::detail {

struct DrawnAsRow {
    int countyId; // a gazetteer county without a shape of its own
    int shapeId;  // the county shape it is drawn as
};

// Ascending by county id.
std::span<const DrawnAsRow> MapDrawnAsRows();

} // namespace shirl::detail
