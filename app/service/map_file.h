#pragma once
// The map of the counties worked after a Convert command, for the front ends.
#include <optional>
#include <string>

#include "base/fault.h"

#include "app/service/convert_command.h"

namespace shirl {

// The fault of a finished run that has no map (its Selection is a Canadian
// area), or nullopt.
std::optional<Fault> NoMapFault(const ConvertOutcome& outcome);

// The SVG map of a finished run (its Selection, its operator's list and its
// QSOs per county); empty when NoMapFault says it has none.
std::string CountyMapSvg(const ConvertOutcome& outcome);

// Writes the run's map to the file `name`; false when it could not be written
// or the run has no map (nothing is written then).
bool WriteCountyMap(const std::string& name, const ConvertOutcome& outcome);

} // namespace shirl
