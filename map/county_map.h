#pragma once
// The map of the counties worked: one SVG picture from a run's Selection and
// its QSO counts per county. Every front end calls this; it reads nothing but
// the constant tables, so the same counts give the same bytes.
#include <cstdint>
#include <map>
#include <string>

#include "data/selections.h"

namespace shirl {

// QSOs per county: gazetteer county id (state FIPS * 1000 + county FIPS) to
// the number of QSOs written with that county.
using CountyQsoCounts = std::map<int, std::int64_t>;

// The SVG document (UTF-8, no dates in it) of the counties of `selection`'s
// area (MapAreaOfSelection) filled by their QSO counts, with the state
// borders, a title ("Alabama QSO Party: 41 of 67 counties"), a legend, a
// tooltip per county, and the counties worked that the map does not show
// (territories, other states) named under it. Ids that name no gazetteer
// county and counts under 1 are left out.
std::string RenderCountyMap(Selection selection, const CountyQsoCounts& counts);

} // namespace shirl
