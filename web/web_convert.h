#pragma once
// What the page asks of the core, in the page's own terms: the log and the
// lists are files of the in-memory file system, named as the user's files
// are and side by side in the current folder, so that the report names
// them as the windows and shirl-cli do; the answers are the rows and
// messages the windows show.
#include <optional>
#include <string>
#include <vector>

#include "app/service/report_view.h"

namespace shirl::web {

struct WebConvertRequest {
    std::string inputName;            // the log, as the user's file is named
    std::string selectionCode;        // a Selection code, "auto" (from the log's CONTEST_ID), or "" (none picked)
    bool addMobile = true;
    std::vector<std::string> lists{}; // list file names beside the log, in the order given
    bool replace = false;             // the lists replace the Selection's table instead of extending it
    std::vector<std::string> taken{}; // output names already offered in this batch: numbered past them
    bool usaca = false;               // a county line as one record with USACA_COUNTIES
};

struct WebConvertResult {
    std::string outputName;             // the name offered for the download ("" with an error)
    std::optional<std::string> error;   // the message box's text; no output then
    bool listFault = false;             // the error is a list's: every log of the batch would meet it
    bool partyUnknown = false;          // the error is that the log's CONTEST_ID names no one party
    std::vector<ReportListRow> rows{};  // the report list's rows
    std::string mapName;                // the name offered for the map's download ("" with an error)
    std::string map;                    // the SVG map of the counties worked ("" with an error or noMap)
    std::string noMap;                  // why a run that converted has no map (a Canadian area), else ""
    std::string reportName;             // the name offered for the report's download ("" with an error)
};

// Converts `inputName` into the offered output name in the current folder
// and draws the run's county map. A faulty list stops the run with the window's message, as the Convert
// command's own checks do.
WebConvertResult WebConvert(const WebConvertRequest& request);

struct WebDetection {
    std::string kind;          // "adif", "cabrillo", "utf16" (a text to save as UTF-8) or "none" (no log)
    std::string code;          // the Selection its CONTEST_ID values name, "" for none
    std::string fault{};       // what Convert says of it when it is no log that can be read, else ""
    std::string logbookFault{}; // what Fill says of it as the logbook when it is no ADIF log, else ""
};

// What the file `inputName` holds and the party it names, in one reading;
// a file that cannot be opened is no log.
WebDetection WebDetect(const std::string& inputName);

// `name` with "-N" before its extension ("X-converted.adi", 2 ->
// "X-converted-2.adi"), for the later of two downloads of one name.
std::string NumberedName(const std::string& name, int number);

// The page's Fill: the log of `contest` (its Selection, lists and
// county-line form as for Convert) filled into the logbook `logbookName`
// (beside it, or in a folder below), written as NAME-filled.adi beside it.
struct WebFillResult {
    std::string outputName;            // the name offered for the download ("" with an error)
    std::optional<std::string> error;  // the message box's text; no output then
    std::vector<ReportListRow> rows{}; // the report list's rows
};
WebFillResult WebFill(const WebConvertRequest& contest, const std::string& logbookName);

} // namespace shirl::web
