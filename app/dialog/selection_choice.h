#pragma once
// The dialog's rule for the Selection shown in the State list when an input
// file names its party: a Selection the user picked is never changed; one
// that was detected may be replaced by the next detection.
#include <optional>
#include <string>

#include "data/selections.h"

namespace shirl {

struct SelectionChoice {
    Selection selection; // Selection(): none
    bool picked = false; // picked by the user (not detected)
};

// The user picked Selection s in the State list.
void PickSelection(SelectionChoice& choice, Selection selection);

// Selection `detected` (Selection(): nothing detected) was found in a newly
// chosen input file. Returns the Selection to show when the shown one
// changes, nullopt when it stays (a detection that finds nothing clears a
// detected Selection, so that one log's party is not used for another).
std::optional<Selection> TakeDetectedSelection(SelectionChoice& choice, Selection detected);


} // namespace shirl
