// Which Selection a log's CONTEST_ID values name.
#include <algorithm>
#include <array>

#include "data/contest_ids.h"
#include "data/selections.h"

namespace shirl {
namespace {

// The parties that share one weekend and the MULTI Selection that covers them.
// MULTI itself stands among them: some loggers write one identifier for the weekend.
constexpr std::array<Selection, 5> kSharedWeekend = {selections::k7QP, selections::kIN, selections::kNEQP,
                                                     selections::kDE, selections::kMULTI};
constexpr Selection kSharedWeekendSelection = selections::kMULTI;

bool OnSharedWeekend(Selection selection) {
    return std::find(kSharedWeekend.begin(), kSharedWeekend.end(), selection) != kSharedWeekend.end();
}

std::string JoinFound(std::span<const std::string> contestIds) {
    if (contestIds.empty()) return "none";
    std::string joined;
    for (const std::string& id : contestIds) {
        if (!joined.empty()) joined += ", ";
        joined += id;
    }
    return joined;
}

} // namespace

std::string PartyName(Selection selection) {
    std::string name(selection.Name());
    if (selection.IsValid() && !selection.IsParty()) name += " QSO Party";
    return name;
}

std::optional<std::string> SelectionMismatchWarning(Selection named, Selection chosen) {
    if (!named.IsValid() || !chosen.IsValid() || named == chosen) return std::nullopt;
    if (chosen == kSharedWeekendSelection && OnSharedWeekend(named)) return std::nullopt;
    return "The log's CONTEST_ID names " + PartyName(named) + ", but " + std::string(chosen.Name()) +
           " was chosen.";
}

SelectionDetection DetectSelection(std::span<const std::string> contestIds) {
    SelectionDetection result;
    std::vector<Selection> named;
    bool allKnown = !contestIds.empty();
    for (const std::string& id : contestIds) {
        const Selection s = FindSelectionByContestId(id);
        if (!s.IsValid()) allKnown = false;
        if (std::find(named.begin(), named.end(), s) == named.end()) named.push_back(s);
    }
    Selection chosen;
    if (allKnown && named.size() == 1) {
        chosen = named.front();
    } else if (allKnown && std::all_of(named.begin(), named.end(), OnSharedWeekend)) {
        chosen = kSharedWeekendSelection;
    }
    const std::string found = JoinFound(contestIds);
    if (!chosen.IsValid()) {
        result.fault = Fault{FaultKind::PartyUnknown, "", found};
        return result;
    }
    result.selection = chosen;
    result.info = "Selection " + PartyName(chosen) + " from CONTEST_ID " + found + ".";
    return result;
}

} // namespace shirl
