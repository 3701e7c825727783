#pragma once
// The Fill command without a window: the contest log converted as the
// Convert command converts it (into memory, a county line as one record),
// then the logbook filled from it into the output, which is written to a
// temporary file and replaces the output only once complete. The logbook
// is only read.
#include <optional>
#include <string>

#include "app/service/convert_command.h"
#include "base/fault.h"
#include "convert/run_report.h"

namespace shirl {

struct FillRequest {
    ConvertRequest contest;      // the contest log (inputName), its Selection, lists and county-line form
    std::string logbookName;
    std::string outputName;
    int windowMinutes = 10;      // how far apart a pair's start times may be
};

struct FillOutcome {
    std::optional<Fault> fault; // why it stopped; the output is then as it was
    RunReport report;           // the conversion's rows, then the fill's
};

// Runs the Fill command.
FillOutcome RunFillCommand(const FillRequest& request);

} // namespace shirl
