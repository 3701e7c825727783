#pragma once
// The Convert command without a window: the checks in their fixed order,
// the run, and the report rows as the dialog shows them. Every front end
// (command line, Qt window, Win32 window) calls this and nothing else.
#include <optional>
#include <string>
#include <vector>

#include "data/abbrev_list.h"
#include "data/selections.h"

namespace shirl {

// An operator's list and the one Selection it belongs to.
struct ListOfSelection {
    Selection selection;
    const AbbrevList* list = nullptr;
};

struct ConvertRequest {
    std::string inputName;
    std::string outputName;
    Selection selection; // none picked: Selection()
    bool addMobile = true;
    const AbbrevList* list = nullptr; // the operator's list for `selection`, or none
    bool selectionFromLog = false;    // take the Selection from the log's CONTEST_ID instead
    // With `selectionFromLog`: the lists by Selection; the run uses the one of
    // the Selection found in the log (none when no list is its), never `list`.
    std::vector<ListOfSelection> listsBySelection{};
};

struct ConvertOutcome {
    // Set when a check failed before the run, or when the input could not be
    // read whole or the output not written ("ERROR: Could not read input
    // file.", "ERROR: Could not write output file."): the
    // "ERROR: ..." text of the message box. The output file is then as it
    // was before the command and `rows` is empty.
    std::optional<std::string> error;
    // The report rows: each non-empty list of the run report oldest first,
    // followed by one empty row.
    std::vector<std::string> rows;
};

// Runs the Convert command. With `selectionFromLog` the input is read once
// for its CONTEST_ID values first; the report's first row then says which
// Selection was taken, followed by a row for each list file in use.
ConvertOutcome RunConvertCommand(const ConvertRequest& request);

} // namespace shirl
