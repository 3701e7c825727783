// When the dialog shows a Selection detected from the input file.
#include "app/dialog/selection_choice.h"

namespace shirl {

void PickSelection(SelectionChoice& choice, Selection selection) {
    choice.selection = selection;
    choice.picked = true;
}

std::optional<Selection> TakeDetectedSelection(SelectionChoice& choice, Selection detected) {
    if (choice.picked || detected == choice.selection) return std::nullopt;
    choice.selection = detected;
    return detected;
}

} // namespace shirl
