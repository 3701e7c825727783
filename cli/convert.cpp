// shirl-cli convert: the Convert command on the command line.
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "app/convert_command.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "cli/platform_io.h"
#include "data/selections.h"

namespace shirl::cli {
namespace {

constexpr std::string_view kConvertHelp =
    "Usage: shirl-cli convert --selection CODE [--no-mobile] INPUT OUTPUT\n"
    "\n"
    "Converts the ADIF log INPUT into OUTPUT for the Selection CODE (a state,\n"
    "province or QSO party code such as AL, PA, 7QP or USCQP, in any letter case)\n"
    "and prints the report, one row a line.\n"
    "\n"
    "  --selection CODE  the Selection whose abbreviations the log uses\n"
    "  --no-mobile       do not add /M to the callsign of a mobile station\n"
    "                    whose callsign carries its county\n"
    "\n"
    "Exit status: 0 when the conversion ran, 1 when a check failed (message on\n"
    "stderr), 2 on a usage error.\n";

} // namespace

int ConvertCommand(const Args& args) {
    const ParseResult parsed = ParseCommandLine("convert", args, {Option::Selection, Option::NoMobile}, kConvertHelp);
    if (!parsed.line) return parsed.status;
    const CommandLine& line = *parsed.line;
    if (line.operands.size() < 2) return CommandUsageError("convert", "missing INPUT and OUTPUT");
    if (line.operands.size() > 2) return CommandUsageError("convert", "takes only INPUT and OUTPUT");
    ConvertRequest request;
    request.selection = line.selection.value_or(Selection()); // none: the Convert command reports it
    request.addMobile = !line.noMobile;
    request.inputName = line.operands[0];
    request.outputName = line.operands[1];

    const ConvertOutcome outcome = RunConvertCommand(request);
    if (outcome.error) {
        WriteLine(stderr, *outcome.error);
        return 1;
    }
    for (const std::string& row : outcome.rows) WriteLine(stdout, row);
    std::fflush(stdout);
    return 0;
}

} // namespace shirl::cli
