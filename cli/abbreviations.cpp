// shirl-cli abbreviations --selection CODE: every abbreviation a Selection
// accepts, ABBREV<TAB>COUNTY_ID<TAB>VALUE, one a line.
#include <iostream>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "cli/options.h"
#include "data/abbrev_tables.h"
#include "data/gazetteer.h"

namespace shirl::cli {
namespace {

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

} // namespace

int AbbreviationsCommand(const Args& args) {
    const ParseResult parsed = ParseCommandLine("abbreviations", args, {Option::Selection}, kAbbreviationsHelp);
    if (!parsed.line) return parsed.status;
    const CommandLine& line = *parsed.line;
    if (!line.operands.empty())
        return CommandUsageError("abbreviations", "unexpected argument '" + line.operands.front() + "'");
    if (!line.selection) return CommandUsageError("abbreviations", "missing --selection CODE");

    std::string out;
    for (const TableId id : TablesForSelection(*line.selection)) {
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
