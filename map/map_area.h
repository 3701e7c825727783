#pragma once
// What part of the country a Selection's map shows.
#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "data/abbrev_list.h"
#include "data/selections.h"

namespace shirl {

// QSOs per county: gazetteer county id (state FIPS * 1000 + county FIPS) to
// the number of QSOs written with that county.
using CountyQsoCounts = std::map<int, std::int64_t>;

struct MapArea {
    bool wholeCountry = false; // all states, Alaska and Hawaii as insets
    std::vector<int> states;   // state FIPS numbers whose counties are drawn, ascending
    std::vector<int> context;  // the states bordering them, drawn as outlines, ascending
    std::vector<int> fitted;   // the states the picture shows whole: `states`, and a
                               // party's states whose entries are not counties
};

// Whether `selection` has a map of US counties: not a Canadian area.
bool SelectionHasMap(Selection selection);

// A state's Selection: that state; a regional party: the states of the
// counties in the places its lookup searches (the operator's `list`, or
// nullptr, and the tables that stay beside it); a party whose places span
// more than half of the states, or a party without any: the whole country.
// No Selection (or one without a map): the states of the counties worked
// (`counts`), or the whole country when they include Alaska or Hawaii or
// when no county was worked. The states bordering the
// area are its context, except on the whole country. A party's state whose
// rows name no county (Connecticut's regions) is fitted, not drawn by county;
// so are the states in `entryStates` (FIPS numbers of states worked by such
// entries) in the states worked.
MapArea MapAreaOfSelection(Selection selection, const AbbrevList* list, const CountyQsoCounts& counts,
                           const std::set<int>& entryStates = {});

} // namespace shirl
