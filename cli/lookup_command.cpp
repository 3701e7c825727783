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
    std::optional<std::string> code;
    Args abbreviations;
    bool optionsEnded = false;
    ListOptions lists;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string error;
        if (!optionsEnded) {
            const ListOptionResult taken = TakeListOption(args, i, lists, error);
            if (taken == ListOptionResult::UsageError) return UsageError("lookup: " + error);
            if (taken == ListOptionResult::Taken) continue;
        }
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            abbreviations.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            std::cout << kLookupHelp;
            return 0;
        } else if (arg == "--selection") {
            if (i + 1 >= args.size()) return UsageError("lookup: --selection needs a CODE");
            code = args[++i];
        } else if (arg.rfind("--selection=", 0) == 0) {
            code = arg.substr(std::string_view("--selection=").size());
        } else {
            return UsageError("lookup: unknown option '" + arg + "'");
        }
    }
    if (!code) return UsageError("lookup: missing --selection CODE");
    const int selection = FindSelectionByCode(*code);
    if (selection < 0) return UsageError("lookup: unknown Selection code '" + *code + "'");
    if (abbreviations.empty()) return UsageError("lookup: missing ABBREV");

    std::optional<AbbrevList> list;
    if (!LoadListOptions(lists, list)) return 1;

    RebuildCountyIndex();
    std::string line;
    for (const std::string& abbreviation : abbreviations) {
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
