#pragma once
// The Convert command without a window: the checks in their fixed order,
// the run, and the report rows as the dialog shows them. Every front end
// (command line, Qt window, Win32 window) calls this and nothing else.
#include <optional>
#include <string>
#include <vector>

#include "data/selections.h"

namespace shirl {

struct ConvertRequest {
    std::string inputName;
    std::string outputName;
    Selection selection; // none picked: Selection()
    bool addMobile = true;
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

ConvertOutcome RunConvertCommand(const ConvertRequest& request);

} // namespace shirl
