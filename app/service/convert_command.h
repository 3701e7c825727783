#pragma once
// The Convert command without a window: the checks in their fixed order,
// the run, and the report rows as the dialog shows them. Every front end
// (command line, Qt window, Win32 window) calls this and nothing else.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "app/service/run_preparation.h"
#include "convert/run_report.h"
#include "data/selections.h"

namespace shirl {

struct ConvertRequest {
    std::string inputName;
    std::string outputName;
    Selection selection; // none picked: Selection()
    bool addMobile = true;
    bool selectionFromLog = false;   // take the Selection from the log's CONTEST_ID instead
    const RunLists* lists = nullptr; // the operator's lists, or none
};

// The message of the check that a Selection was chosen.
inline constexpr std::string_view kNoSelectionError = "ERROR: You must select a state or QSO Party.";

// The one message for an input that is no log, ADIF or Cabrillo, whichever
// path finds it: "ERROR: NAME is neither an ADIF log nor a Cabrillo log."
std::string NotALogError(const std::string& inputName);

struct ConvertOutcome {
    // Set when a check failed before the run, or when the input could not be
    // read whole or the output not written ("ERROR: Could not read input
    // file.", "ERROR: Could not write output file."), or when the input is
    // no log (NotALogError): the
    // "ERROR: ..." text of the message box. The output file is then as it
    // was before the command and `report` is empty.
    std::optional<std::string> error;
    bool partyUnknown = false; // with `error`: the log's CONTEST_ID named no one party
    // The report of the run (app/report_view turns it into rows).
    RunReport report;
    // After a run: the Selection it used and its QSOs per county (gazetteer
    // county id to records written with that CNTY), for the map.
    Selection selection{};
    std::map<int, std::int64_t> countyQsos{};
    std::map<std::string, std::int64_t> otherCntyQsos{}; // CNTY values that name no county
};

// Runs the Convert command: the checks, the run's preparation (PrepareRun)
// and the run.
ConvertOutcome RunConvertCommand(const ConvertRequest& request);

} // namespace shirl
