// shirl-cli convert: the Convert command on the command line.
#include <cstdio>
#include <iostream>
#include <string>

#include "app/convert_command.h"
#include "cli/commands.h"
#include "data/selections.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace shirl::cli {
namespace {

constexpr const char* kConvertHelp =
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

void WriteLine(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fputc('\n', stream);
}

} // namespace

int ConvertCommand(const Args& args) {
    ConvertRequest request;
    std::vector<std::string> files;
    bool haveSelection = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kConvertHelp;
            return 0;
        }
        std::string code;
        if (arg == "--selection") {
            if (i + 1 == args.size()) return UsageError("--selection needs a CODE");
            code = args[++i];
        } else if (arg.rfind("--selection=", 0) == 0) {
            code = arg.substr(12);
        } else if (arg == "--no-mobile") {
            request.addMobile = false;
            continue;
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "--") {
            return UsageError("unknown option '" + arg + "'");
        } else {
            if (arg == "--") {
                files.insert(files.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
                break;
            }
            files.push_back(arg);
            continue;
        }
        if (haveSelection) return UsageError("--selection given twice");
        haveSelection = true;
        const auto selection = FindSelectionByCode(code);
        if (!selection) return UsageError("unknown selection code '" + code + "'");
        request.selection = *selection;
    }
    if (files.size() < 2) return UsageError("convert needs INPUT and OUTPUT");
    if (files.size() > 2) return UsageError("convert takes only INPUT and OUTPUT");
    request.inputName = files[0];
    request.outputName = files[1];

    const ConvertOutcome outcome = RunConvertCommand(request);
    if (outcome.error) {
        WriteLine(stderr, *outcome.error);
        return 1;
    }
#ifdef _WIN32
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY); // the rows byte for byte, as on every system
#endif
    for (const std::string& row : outcome.rows) WriteLine(stdout, row);
    std::fflush(stdout);
    return 0;
}

} // namespace shirl::cli
