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
};

struct WebConvertResult {
    std::string outputName;             // the name offered for the download ("" with an error)
    std::optional<std::string> error;   // the message box's text; no output then
    bool listFault = false;             // the error is a list's: every log of the batch would meet it
    std::vector<ReportListRow> rows{};  // the report list's rows
    std::string mapName;                // the name offered for the map's download ("" with an error)
    std::string map;                    // the SVG map of the counties worked ("" with an error)
};

// Converts `inputName` into the offered output name in the current folder
// and draws the run's county map. A faulty list stops the run with the window's message, as the Convert
// command's own checks do.
WebConvertResult WebConvert(const WebConvertRequest& request);

// The code of the Selection the log's CONTEST_ID values name, "" for none.
std::string WebDetect(const std::string& inputName);

} // namespace shirl::web
