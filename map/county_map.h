#pragma once
// The map of the counties worked: one SVG picture from a run's Selection and
// its QSO counts per county. Every front end calls this; it reads nothing but
// the constant tables and computes in integers, so the same counts give the
// same bytes on every platform.
#include <cstdint>
#include <map>
#include <string>

#include "data/abbrev_list.h"
#include "data/selections.h"
#include "map/map_area.h"

namespace shirl {

// Values a run counted that name no county (a Connecticut region of the New England
// QSO Party, an abbreviation left as it was), to QSOs; "" stands for values
// not kept one by one.
using OtherCntyQsos = std::map<std::string, std::int64_t>;

// The SVG document (UTF-8, no dates in it) of the counties of the area of
// `selection` with the operator's `list` (or nullptr; MapAreaOfSelection)
// filled by their QSO counts (Connecticut by its planning regions, from
// `others`, where the party's tables count them), with a title that counts
// the party's multipliers ("Alabama QSO Party: 41 of 67 counties": per table,
// summed; the shapes drawn without tables), a description of the totals and
// the counties worked, a legend, a tooltip per county (its abbreviations in
// the lookup's search order, the list's first; worked counties in groups of
// class "worked", each drawn where nothing covers it) and under it every
// value worked that the map does not fill, with its QSOs, as many as fit.
// Ids that name no gazetteer county and counts under 1 are left out.
std::string RenderCountyMap(Selection selection, const AbbrevList* list, const CountyQsoCounts& counts,
                            const OtherCntyQsos& others = {});

} // namespace shirl
