// The Selection detected from the input file, and when the dialog shows it.
#include "app/selection_choice.h"

#include "convert/contest_id_scan.h"
#include "data/contest_ids.h"
#include "files/file_streams.h"
#include "files/file_system.h"

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

Selection DetectSelectionOfFile(const std::string& inputName) {
    // Only a regular file is read here: opening a pipe would wait for a writer,
    // and reading it would take the log away from the conversion.
    if (inputName.empty() || KindOf(inputName) != FileKind::Regular) return Selection();
    FileSource input;
    if (!input.Open(inputName)) return Selection();
    const auto ids = ReadContestIds(input);
    if (input.Failed()) return Selection();
    return DetectSelection(ids).selection;
}

} // namespace shirl
