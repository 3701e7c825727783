#pragma once
// What part of the country a Selection's map shows.
#include <string>
#include <vector>

#include "data/selections.h"

namespace shirl {

struct MapArea {
    bool wholeCountry = false; // all states, Alaska and Hawaii as insets
    std::vector<int> states;   // state FIPS numbers drawn, ascending
};

// A state's Selection: that state; a regional party: the states of its
// tables' counties; a party whose tables span more than half of the states,
// a party without tables, a Canadian area and no Selection: the whole
// country.
MapArea MapAreaOfSelection(Selection selection);

// The map's title before the count: "Alabama QSO Party" for an area, the
// party's name for a party, "Counties worked" without a Selection.
std::string MapTitleOfSelection(Selection selection);

} // namespace shirl
