// shirl-cli: the command line of Shirl, for scripting and batch use.
#include <cstdio>
#include <string>
#include <string_view>

#include "app/service/version.h"
#include "cli/commands.h"
#include "cli/platform_io.h"

namespace shirl::cli {

int UsageError(const std::string& message) {
    WriteLine(stderr, "shirl-cli: " + message + " (try 'shirl-cli --help')");
    return 2;
}

} // namespace shirl::cli

namespace {

constexpr std::string_view kHelp =
    "Usage: shirl-cli COMMAND [OPTIONS] [ARGS]\n"
    "\n"
    "Rewrites the county fields of a QSO-party ADIF log into standard CNTY/STATE form.\n"
    "\n"
    "Commands:\n"
    "  convert --selection CODE|auto [--no-mobile] [--list FILE]... [--map FILE|auto]\n"
    "          INPUT OUTPUT\n"
    "                  convert a log; prints the report (INPUT or OUTPUT -:\n"
    "                  standard input or output)\n"
    "  convert --selection CODE|auto [OPTIONS] [--map auto] --output-dir DIR INPUT...\n"
    "                  convert many logs into DIR, each report after \"== INPUT\"\n"
    "  fill --selection CODE|auto --from CONTEST_LOG [OPTIONS] LOGBOOK OUTPUT\n"
    "                  add the contest log's counties to the logbook records\n"
    "                  that hold its QSOs, into OUTPUT; prints the report\n"
    "  lookup --selection CODE [--call CALL] [--list FILE]... ABBREV...\n"
    "                  what a conversion does with each ABBREV (county, state,\n"
    "                  silent or none)\n"
    "  award [OPTIONS] LOGBOOK\n"
    "                  the USA Counties award from a logbook: counties worked,\n"
    "                  confirmed and needed (--needed FILE, --csv FILE, --map FILE)\n"
    "  selections      list the Selections in the dialog's order (CODE<TAB>NAME)\n"
    "  counties        list the county gazetteer (COUNTY_ID<TAB>ST<TAB>NAME)\n"
    "  abbreviations --selection CODE [--csv] [--list FILE]...\n"
    "                  list every abbreviation a Selection accepts and what a\n"
    "                  conversion does with it (--csv: the table as a list)\n"
    "\n"
    "Options:\n"
    "  --help, -h      show this help\n"
    "  --version       print the version\n"
    "\n"
    "Run 'shirl-cli COMMAND --help' for the options of a command.\n"
    "CODE is a Selection code such as AL, PA, 7QP or USCQP, in any letter case;\n"
    "auto (also in any letter case) takes it from the log's CONTEST_ID. --list\n"
    "names an abbreviation list (CSV) that extends the Selection's table\n"
    "(--list-mode replace: replaces it).\n";

} // namespace

int main(int argc, char** argv) {
    using namespace shirl::cli;
    const Args all = Utf8Arguments(argc, argv);
    if (all.empty()) return UsageError("missing command");
    const std::string command = all[0];
    Args args(all.begin() + 1, all.end());
    if (command == "--help" || command == "-h" || command == "help") {
        WriteText(stdout, kHelp);
        return 0;
    }
    if (command == "--version") {
        WriteLine(stdout, "shirl-cli " SHIRL_VERSION_STRING);
        return 0;
    }
    if (command == "selections") return SelectionsCommand(args);
    if (command == "counties") return CountiesCommand(args);
    if (command == "abbreviations") return AbbreviationsCommand(args);
    if (command == "convert") return ConvertCommand(args);
    if (command == "fill") return FillCommand(args);
    if (command == "lookup") return LookupCommand(args);
    if (command == "award") return AwardCommand(args);
    return UsageError("unknown command '" + command + "'");
}
