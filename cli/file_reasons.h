#pragma once
// The command line's form of a fault: the windows' message, then for a file
// the file's name and, where the system tells it, why (a folder, missing, no
// permission), and for an unknown party the option that chooses one.
#include <string>

#include "app/service/convert_command.h"
#include "base/fault.h"

namespace shirl::cli {

// The text of `fault` as the command line prints it: where the log's
// CONTEST_ID named no one party, it ends with how to choose one.
std::string CommandLineText(const Fault& fault);

// The text of `fault` of the run `request` with the file it is about and the
// reason added (Could not open input file. logs: it is a folder.);
// other faults as CommandLineText gives them.
std::string WithFileReason(const Fault& fault, const ConvertRequest& request);

// Why the file `name` cannot be opened for reading or for writing, in a few
// words ("there is no such file"), or "" when the system does not say.
std::string WhyNotOpened(const std::string& name, bool writing);

} // namespace shirl::cli
