#pragma once
// The map of the counties worked after a Convert command, for the front ends.
#include <string>

#include "app/service/convert_command.h"

namespace shirl {

// The SVG map of a finished run (its Selection, its operator's list and its
// QSOs per county).
std::string CountyMapSvg(const ConvertOutcome& outcome);

// Writes the run's map to the file `name`; false when it could not be written.
bool WriteCountyMap(const std::string& name, const ConvertOutcome& outcome);

} // namespace shirl
