// shirl-cli selections | counties | abbreviations --selection CODE
//
// The inspection commands: they print the reference data, tab-separated, one
// record a line, and nothing else on standard output.
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "cli/list_options.h"
#include "convert/effective_table.h"
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

const std::string kAbbreviationsHelp = std::string(
    "Usage: shirl-cli abbreviations --selection CODE [--csv] [--list FILE]...\n"
    "\n"
    "Lists every abbreviation that the Selection CODE accepts: every row of every\n"
    "table that its lookup searches, tables in the order they are tried, rows in\n"
    "table order, one a line:\n"
    "\n"
    "  ABBREV<TAB>COUNTY_ID<TAB>VALUE\n"
    "\n"
    "VALUE is the county (AL,Autauga), or - where the county id names no county\n"
    "(the Connecticut regions of the New England QSO Party). A Selection without\n"
    "tables lists nothing. The rows of the lists given come first; a replacing\n"
    "list takes the place of the county tables.\n"
    "\n"
    "With --csv, prints the Selection's effective county table in the list\n"
    "format instead (abbreviation,state,county; one row per abbreviation, the\n"
    "county the lookup gives it), a starting point for an abbreviation list.\n"
    "\n"
    "Options:\n"
    "  --selection CODE  a Selection code such as AL, PA, 7QP or USCQP, any letter case\n"
    "  --csv             print the effective table as an abbreviation list\n") +
    kListOptionsHelp +
    "  --help            show this help\n"
    "\n"
    "Example: shirl-cli abbreviations --selection MARAC --csv > MARAC.csv\n";

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
    for (const int s : DisplayOrder()) {
        out.append(SelectionCode(s)).append("\t").append(SelectionName(s)).append("\n");
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

namespace {

// The effective county table as an abbreviation list.
std::string EffectiveTableCsv(int selection, const AbbrevList* list) {
    auto cell = [](std::string_view text) {
        if (text.find_first_of(",\"") == std::string_view::npos) return std::string(text);
        std::string quoted = "\"";
        for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        return quoted + "\"";
    };
    std::string out = "abbreviation,state,county\n";
    for (const EffectiveRow& row : EffectiveCountyRows(selection, list)) {
        const CountyRecord* county = FindCounty(row.countyId);
        if (county == nullptr) continue;
        out.append(cell(row.abbreviation)).append(",").append(county->stateCode).append(",");
        out.append(cell(county->countyName)).append("\n");
    }
    return out;
}

// Every row the lookup searches: the list's, then the tables' (a replacing
// list leaves only the independent-city tables), one a line.
std::string AllRowsText(int selection, const AbbrevList* list) {
    std::string out;
    auto line = [&out](std::string_view abbreviation, int countyId) {
        out.append(abbreviation).append("\t").append(std::to_string(countyId)).append("\t");
        if (const CountyRecord* county = FindCounty(countyId)) {
            out.append(county->stateCode).append(",").append(county->countyName);
        } else {
            out.append("-");
        }
        out.append("\n");
    };
    if (list != nullptr)
        for (const AbbrevListRow& row : list->rows()) line(row.abbreviation, row.countyId);
    for (const TableId id : TablesForSelection(selection)) {
        const bool cities = id == TableId::NevadaCities || id == TableId::VirginiaCities;
        if (list != nullptr && list->replaces() && !cities) continue;
        for (const AbbrevEntry& row : GetAbbrevTable(id).rows) line(row.abbreviation, row.countyId);
    }
    return out;
}

} // namespace

int AbbreviationsCommand(const Args& args) {
    std::optional<std::string> code;
    ListOptions lists;
    bool csv = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string error;
        const ListOptionResult taken = TakeListOption(args, i, lists, error);
        if (taken == ListOptionResult::UsageError) return UsageError("abbreviations: " + error);
        if (taken == ListOptionResult::Taken) continue;
        if (arg == "--csv") {
            csv = true;
        } else if (IsHelp(arg)) {
            std::cout << kAbbreviationsHelp;
            return 0;
        } else if (arg == "--selection") {
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
    const int selection = FindSelectionByCode(*code);
    if (selection < 0) return UsageError("abbreviations: unknown Selection code '" + *code + "'");

    std::optional<AbbrevList> list;
    if (!LoadListOptions(lists, list)) return 1;

    RebuildCountyIndex();
    const AbbrevList* active = list ? &*list : nullptr;
    std::cout << (csv ? EffectiveTableCsv(selection, active) : AllRowsText(selection, active)) << std::flush;
    return std::cout ? 0 : 1;
}

} // namespace shirl::cli
