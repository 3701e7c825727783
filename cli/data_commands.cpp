// shirl-cli selections | counties | abbreviations --selection CODE
//
// The inspection commands: they print the reference data, tab-separated, one
// record a line, and nothing else on standard output.
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "data/abbrev_tables.h"
#include "data/gazetteer.h"
#include "data/selections.h"

namespace shirl::cli {
namespace {

constexpr std::string_view kSelectionsHelp =
    "Usage: shirl-cli selections\n"
    "\n"
    "Lists the Selections in the order the dialog offers them, one a line:\n"
    "\n"
    "  CODE<TAB>NAME\n"
    "\n"
    "Options:\n"
    "  --help  show this help\n";

constexpr std::string_view kCountiesHelp =
    "Usage: shirl-cli counties\n"
    "\n"
    "Lists the county gazetteer in FIPS order, one county a line:\n"
    "\n"
    "  COUNTY_ID<TAB>ST<TAB>NAME      (for example 1001<TAB>AL<TAB>Autauga)\n"
    "\n"
    "COUNTY_ID is the state FIPS code times 1000 plus the county FIPS code.\n"
    "\n"
    "Options:\n"
    "  --help  show this help\n";

constexpr std::string_view kAbbreviationsHelp =
    "Usage: shirl-cli abbreviations --selection CODE\n"
    "\n"
    "Lists every abbreviation that the Selection CODE accepts: every row of every\n"
    "table that its lookup searches, tables in the order they are tried, rows in\n"
    "table order, one a line:\n"
    "\n"
    "  ABBREV<TAB>COUNTY_ID<TAB>VALUE\n"
    "\n"
    "VALUE is the county (AL,Autauga), or - where the county id names no county\n"
    "(the Connecticut regions of the New England QSO Party). A Selection without\n"
    "tables lists nothing.\n"
    "\n"
    "Options:\n"
    "  --selection CODE  a Selection code such as AL, PA, 7QP or USCQP, any letter case\n"
    "  --help            show this help\n";

bool IsHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

// For the commands that take no options but --help: 0 after printing the help,
// 2 on anything else, -1 to go on.
int NoOptions(const Args& args, std::string_view command, std::string_view help) {
    for (const std::string& arg : args) {
        if (IsHelp(arg)) {
            std::cout << help;
            return 0;
        }
    }
    if (!args.empty()) {
        const std::string& arg = args.front();
        const bool option = arg.size() > 1 && arg[0] == '-';
        return UsageError(std::string(command) + (option ? ": unknown option '" : ": unexpected argument '") +
                          arg + "'");
    }
    return -1;
}

} // namespace

int SelectionsCommand(const Args& args) {
    if (const int status = NoOptions(args, "selections", kSelectionsHelp); status >= 0) return status;
    std::string out;
    for (const Selection s : DisplayOrder()) {
        out.append(s.Code()).append("\t").append(s.Name()).append("\n");
    }
    std::cout << out << std::flush;
    return std::cout ? 0 : 1;
}

int CountiesCommand(const Args& args) {
    if (const int status = NoOptions(args, "counties", kCountiesHelp); status >= 0) return status;
    std::string out;
    for (const GazetteerRow& row : Gazetteer()) {
        out.append(std::to_string(row.stateNumber * 1000 + row.countyNumber))
            .append("\t")
            .append(row.stateCode)
            .append("\t")
            .append(row.countyName)
            .append("\n");
    }
    std::cout << out << std::flush;
    return std::cout ? 0 : 1;
}

int AbbreviationsCommand(const Args& args) {
    std::optional<std::string> code;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (IsHelp(arg)) {
            std::cout << kAbbreviationsHelp;
            return 0;
        }
        if (arg == "--selection") {
            if (i + 1 >= args.size()) return UsageError("abbreviations: --selection needs a CODE");
            code = args[++i];
        } else if (arg.rfind("--selection=", 0) == 0) {
            code = arg.substr(std::string_view("--selection=").size());
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError("abbreviations: unknown option '" + arg + "'");
        } else {
            return UsageError("abbreviations: unexpected argument '" + arg + "'");
        }
    }
    if (!code) return UsageError("abbreviations: --selection CODE is required");
    const auto selection = FindSelectionByCode(*code);
    if (!selection) return UsageError("abbreviations: unknown Selection code '" + *code + "'");

    std::string out;
    for (const TableId id : TablesForSelection(*selection)) {
        for (const AbbrevEntry& row : GetAbbrevTable(id).rows) {
            out.append(row.abbreviation).append("\t").append(std::to_string(row.countyId)).append("\t");
            if (const CountyRecord* county = FindCounty(row.countyId)) {
                out.append(county->stateCode).append(",").append(county->countyName);
            } else {
                out.append("-");
            }
            out.append("\n");
        }
    }
    std::cout << out << std::flush;
    return std::cout ? 0 : 1;
}

} // namespace shirl::cli
