#pragma once
// What the dialog makes of things dropped onto its window. The window says
// what each dropped thing is; this decides what is taken and what is said.
#include <optional>
#include <string>
#include <vector>

#include "base/fault.h"

namespace shirl {

enum class DroppedKind { File, Folder, Other };

struct DroppedItem {
    std::string name;  // as the window would show it in the input box
    DroppedKind kind = DroppedKind::Other;
};

struct DropDecision {
    std::optional<std::string> inputName;   // the name taken as the input
    std::optional<Fault> refusal;           // why nothing is taken (DroppedFolder, DroppedOther)
    std::optional<std::string> reportNote;  // the report's info when several were dropped
};

// The first dropped thing decides: a file becomes the input name (and when
// more were dropped, the report says that one file at a time is converted);
// a folder or anything else is refused. Nothing dropped: nothing happens.
DropDecision DecideDrop(const std::vector<DroppedItem>& items);

} // namespace shirl
