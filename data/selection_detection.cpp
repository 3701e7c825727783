// Which Selection a log's CONTEST_ID values name.
#include <algorithm>
#include <array>

#include "data/contest_ids.h"
#include "data/selections.h"

namespace shirl {
namespace {

constexpr int kFirstParty = 54; // Selections from here on are QSO parties, not states

// The parties that share one weekend and the MULTI Selection that covers them.
constexpr std::array<std::string_view, 4> kSharedWeekend = {"7QP", "IN", "NEQP", "DE"};
constexpr std::string_view kSharedWeekendSelection = "MULTI";

bool OnSharedWeekend(int selection) {
    const std::string_view code = SelectionCode(selection);
    return std::find(kSharedWeekend.begin(), kSharedWeekend.end(), code) != kSharedWeekend.end();
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

std::string PartyName(int selection) {
    std::string name(SelectionName(selection));
    if (selection >= 0 && selection < kFirstParty) name += " QSO Party";
    return name;
}

SelectionDetection DetectSelection(std::span<const std::string> contestIds) {
    SelectionDetection result;
    std::vector<int> named;
    bool allKnown = !contestIds.empty();
    for (const std::string& id : contestIds) {
        const int s = FindSelectionByContestId(id);
        if (s < 0) allKnown = false;
        if (std::find(named.begin(), named.end(), s) == named.end()) named.push_back(s);
    }
    int chosen = -1;
    if (allKnown && named.size() == 1) {
        chosen = named.front();
    } else if (allKnown && std::all_of(named.begin(), named.end(), OnSharedWeekend)) {
        chosen = FindSelectionByCode(kSharedWeekendSelection);
    }
    const std::string found = JoinFound(contestIds);
    if (chosen < 0) {
        result.error = "ERROR: Could not tell the QSO party from the log's CONTEST_ID (found: " + found +
                       "); choose one with --selection.";
        return result;
    }
    result.selection = chosen;
    result.info = "INFO: Selection " + PartyName(chosen) + " from CONTEST_ID " + found + ".";
    return result;
}

} // namespace shirl
