#include "app/dialog/drop_rule.h"

namespace shirl {

DropDecision DecideDrop(const std::vector<DroppedItem>& items) {
    DropDecision decision;
    if (items.empty()) return decision;
    const DroppedItem& first = items.front();
    if (first.kind == DroppedKind::Folder) {
        decision.refusal = Fault{FaultKind::DroppedFolder};
    } else if (first.kind == DroppedKind::Other || first.name.empty()) {
        decision.refusal = Fault{FaultKind::DroppedOther};
    } else {
        decision.inputName = first.name;
        if (items.size() > 1)
            decision.reportNote = std::to_string(items.size()) +
                                  " items dropped; one file at a time is converted, so only " + first.name +
                                  " was taken.";
    }
    return decision;
}

} // namespace shirl
