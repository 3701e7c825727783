#pragma once
// Internal to data/: the rows of data/map/drawn_as.csv and state_borders.csv
// as the generated map tables (data/tools/generate_map_tables.py) hand them out.
#include <span>

namespace shirl::detail {

struct DrawnAsRow {
    int countyId; // a gazetteer county without a shape of its own
    int shapeId;  // the county shape it is drawn as
};

// Ascending by county id.
std::span<const DrawnAsRow> MapDrawnAsRows();

struct StateBorderRow {
    int state;     // state FIPS
    int neighbour; // a state FIPS it shares a border with
};

// Both directions of each border, ascending.
std::span<const StateBorderRow> MapStateBorderRows();

} // namespace shirl::detail
