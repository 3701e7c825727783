#pragma once
// The CONTEST_ID identifiers that logging programs write for the parties
// Shirl has a Selection for (data/contest_ids.csv), and the rule that picks
// one Selection from the identifiers found in a log.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/fault.h"
#include "data/selections.h"

namespace shirl {

struct ContestIdEntry {
    std::string_view contestId; // upper case, as in data/contest_ids.csv
    int selection;              // the index of the Selection it names
};

// Every identifier, in ascending byte order.
std::span<const ContestIdEntry> ContestIdTable();

// The Selection a CONTEST_ID value names (any letter case, blanks around it
// ignored), or Selection() when it names none.
Selection FindSelectionByContestId(std::string_view contestId);

// The outcome of the detection: a Selection and the report row that says
// so, or the fault.
struct SelectionDetection {
    Selection selection;        // Selection() when none could be told
    std::string info;           // "Selection ... from CONTEST_ID ..." (an info) when found
    std::optional<Fault> fault; // PartyUnknown (the values found) otherwise
};

// Picks the Selection of a log from its distinct CONTEST_ID values (in the
// order first met): one Selection when every value names it, MULTI when they
// name only parties of the shared weekend (7QP, IN, NEQP, DE), else a fault.
SelectionDetection DetectSelection(std::span<const std::string> contestIds);

// The warning (its text, without a label) for a run whose `chosen` Selection
// is not the one that the
// log's CONTEST_ID values name (`named`, from DetectSelection), or nullopt
// when they agree, when the log names none, or when MULTI was chosen for a
// party of its weekend.
std::optional<std::string> SelectionMismatchWarning(Selection named, Selection chosen);

// The name of Selection s as a party: "Alabama QSO Party" for a state or
// province, the party's own name for the QSO parties.
std::string PartyName(Selection selection);

} // namespace shirl
