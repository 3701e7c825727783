#pragma once
// The commands of shirl-cli. Each takes the arguments after its name and
// returns the exit status: 0 done, 1 a check failed, 2 a usage error.
#include <string>
#include <vector>

namespace shirl::cli {

using Args = std::vector<std::string>;

int SelectionsCommand(const Args& args);
int CountiesCommand(const Args& args);
int AbbreviationsCommand(const Args& args);
int ConvertCommand(const Args& args);
int FillCommand(const Args& args);
int LookupCommand(const Args& args);
int AwardCommand(const Args& args);

// Prints "shirl-cli: MESSAGE" on stderr and returns 2.
int UsageError(const std::string& message);

} // namespace shirl::cli
