// shirl-cli lookup --selection CODE ABBREV...
//
// Looks each ABBREV up as a conversion would (LookupAbbreviation)
// and prints one line for it: ABBREV<TAB>KIND<TAB>VALUE<TAB>MESSAGE, where
// KIND is county, state or none, VALUE is "ST,County name", the state code
// or empty, and MESSAGE the lookup's message or empty.
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "cli/list_options.h"
#include "cli/options.h"
#include "convert/lookup.h"
#include "data/gazetteer.h"
#include "data/selections.h"

namespace shirl::cli {
namespace {

const std::string kLookupHelp = std::string(
    "Usage: shirl-cli lookup --selection CODE ABBREV...\n"
    "\n"
    "Looks each ABBREV up in the abbreviation tables of the Selection CODE, exactly\n"
    "as a conversion would (case counts: auta is not AUTA), and prints one line\n"
    "for each:\n"
    "\n"
    "  ABBREV<TAB>KIND<TAB>VALUE<TAB>MESSAGE\n"
    "\n"
    "KIND is county, state or none; VALUE is the county (AL,Autauga), the state\n"
    "code (MD) or empty; MESSAGE is the lookup's message or empty.\n"
    "\n"
    "Options:\n"
    "  --selection CODE  a Selection code such as AL, PA, 7QP or USCQP, any letter case\n") +
    kListOptionsHelp +
    "  --help            show this help\n"
    "  --                end of options (the arguments after it are abbreviations)\n"
    "\n"
    "Example: shirl-cli lookup --selection SD --list SD.csv OGLA\n";

} // namespace

int LookupCommand(const Args& args) {
    const ParseResult parsed = ParseCommandLine("lookup", args, {Option::Selection, Option::List}, kLookupHelp);
    if (!parsed.line) return parsed.status;
    const CommandLine& commandLine = *parsed.line;
    if (!commandLine.selection) return CommandUsageError("lookup", "missing --selection CODE");
    if (commandLine.operands.empty()) return CommandUsageError("lookup", "missing ABBREV");
    const Selection selection = *commandLine.selection;
    std::optional<AbbrevList> list;
    if (!LoadListOptions(commandLine, list)) return 1;

    std::string line;
    for (const std::string& abbreviation : commandLine.operands) {
        const LookupResult result = LookupAbbreviation(abbreviation, selection, list ? &*list : nullptr);
        line.assign(abbreviation).append(1, '\t');
        switch (result.kind) {
        case LookupResult::Kind::County:
            line.append("county\t")
                .append(result.county->stateCode)
                .append(1, ',')
                .append(result.county->countyName);
            break;
        case LookupResult::Kind::State:
            line.append("state\t").append(result.state);
            break;
        case LookupResult::Kind::None:
            line.append("none\t");
            break;
        }
        line.append(1, '\t').append(result.message).append(1, '\n');
        std::cout << line;
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}

} // namespace shirl::cli
