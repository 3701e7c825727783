#pragma once
// The command line's form of a file error: the windows' message, then the
// file's name and, where the system tells it, why (a folder, missing, no
// permission).
#include <string>

#include "app/service/convert_command.h"

namespace shirl::cli {

// `error` of the run `request` with the file it is about and the reason
// added ("ERROR: Could not open input file. logs: it is a folder."); other
// errors as they are.
std::string WithFileReason(const std::string& error, const ConvertRequest& request);

// Why the file `name` cannot be opened for reading or for writing, in a few
// words ("there is no such file"), or "" when the system does not say.
std::string WhyNotOpened(const std::string& name, bool writing);

} // namespace shirl::cli
