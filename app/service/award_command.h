#pragma once
// The Award command: a logbook (ADIF, or a Cabrillo log read as ADIF) read
// once and tallied for the USA Counties award; the report's lines, and the
// needed list, the county list and the map written where asked for.
#include <optional>
#include <string>
#include <vector>

#include "award/award_tally.h"
#include "base/fault.h"

namespace shirl {

struct AwardRequest {
    std::string logbookName;
    AwardOptions options;
    std::string neededName;   // "": none; the counties not yet worked (confirmed with neededConfirmed)
    bool neededConfirmed = false;
    std::string csvName;      // "": none; one row for each county
    std::string mapName;      // "": none; the SVG map
};

struct AwardOutcome {
    std::optional<Fault> fault;     // why it stopped
    std::vector<std::string> lines; // the report
};

// Runs the Award command.
AwardOutcome RunAwardCommand(const AwardRequest& request);

} // namespace shirl
