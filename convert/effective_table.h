#pragma once
// What a Selection's lookup turns into a county, row by row: the effective
// table that `shirl-cli abbreviations --csv` prints as a starting point for
// an operator's list.
#include <string_view>
#include <vector>

#include "data/abbrev_list.h"
#include "data/selections.h"

namespace shirl {

struct EffectiveRow {
    std::string_view abbreviation;
    int countyId;
};

// One row per abbreviation that the lookup of `selection` (with the
// operator's `list`, or nullptr) resolves to a county, in the order the
// lookup searches: the list first, then the county tables, each with the
// county the lookup yields for it. Abbreviations that an earlier table
// already answers, independent cities and rows naming no county are left out.
std::vector<EffectiveRow> EffectiveCountyRows(Selection selection, const AbbrevList* list);

} // namespace shirl
