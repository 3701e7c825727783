#pragma once
// The page's award view: the Award command run on a logbook in the current
// folder, its needed list and map written beside it under offered names.
#include <optional>
#include <string>

namespace shirl::web {

struct WebAwardResult {
    std::optional<std::string> error; // the message box's text; no files then
    std::string report;               // the report as shirl-cli prints it, each line ended by a line feed
    std::string reportName;           // the names offered for the downloads ("" with an error)
    std::string neededName;
    std::string mapName;
};

// Tallies the logbook `logbookName` for the USA Counties award with the
// command's defaults, writing NAME-needed.csv and NAME-award-map.svg beside it.
WebAwardResult WebAward(const std::string& logbookName);

} // namespace shirl::web
