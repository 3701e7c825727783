// shirl-cli abbreviations --selection CODE: every abbreviation a Selection
// accepts, ABBREV<TAB>COUNTY_ID<TAB>VALUE<TAB>CONVERSION, one a line; with
// --csv the effective county table as an abbreviation list.
#include <optional>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "cli/list_options.h"
#include "cli/options.h"
#include "cli/platform_io.h"
#include "convert/county_answer.h"
#include "convert/effective_table.h"
#include "data/gazetteer.h"
#include "data/search_order.h"

namespace shirl::cli {
namespace {

const std::string kAbbreviationsHelp = std::string(
    "Usage: shirl-cli abbreviations --selection CODE [--csv] [--list FILE]...\n"
    "\n"
    "Lists every abbreviation that the Selection CODE accepts: every row of every\n"
    "table that its lookup searches, tables in the order they are tried, rows in\n"
    "table order, one a line:\n"
    "\n"
    "  ABBREV<TAB>COUNTY_ID<TAB>VALUE<TAB>CONVERSION\n"
    "\n"
    "VALUE is the county (AL,Autauga), or - where the county id names no county\n"
    "(the Connecticut regions of the New England QSO Party). CONVERSION is what a\n"
    "conversion does with the abbreviation, as shirl-cli lookup shows it: county\n"
    "(it becomes CNTY VALUE), state (STATE only: an independent city), silent (it\n"
    "stays as it was, without a message), none (it stays, with a warning), or\n"
    "earlier (an earlier row answers it). A Selection without tables lists\n"
    "nothing. The rows of the lists given come first; a replacing list takes the\n"
    "place of the county tables.\n"
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

// The effective county table as an abbreviation list.
std::string EffectiveTableCsv(Selection selection, const AbbrevList* list) {
    auto cell = [](std::string_view text) {
        if (text.find_first_of(",\"") == std::string_view::npos) return std::string(text);
        std::string quoted = "\"";
        for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        return quoted + "\"";
    };
    std::string out = "abbreviation,state,county\n";
    for (const EffectiveRow& row : EffectiveCountyRows(selection, list)) {
        const GazetteerRow* county = FindCounty(row.countyId);
        if (county == nullptr) continue;
        out.append(cell(row.abbreviation)).append(",").append(county->stateCode).append(",");
        out.append(cell(county->countyName)).append("\n");
    }
    return out;
}

// What a conversion does with the row's abbreviation: its kind, or
// "earlier" when it becomes another county than the row's.
std::string_view ConversionMark(std::string_view abbreviation, const GazetteerRow* county, Selection selection,
                                const AbbrevList* list) {
    const CountyAnswer answer = AnswerCountyValue(abbreviation, selection, std::nullopt, list);
    if (answer.kind == CountyAnswer::Kind::County && (county == nullptr || answer.value != county->cntyValue))
        return "earlier";
    return CountyAnswerKindName(answer.kind);
}

// Every row the lookup searches, in its search order, one a line, each with
// what a conversion does with it.
std::string AllRowsText(Selection selection, const AbbrevList* list) {
    std::string out;
    auto line = [&out, selection, list](std::string_view abbreviation, int countyId) {
        out.append(abbreviation).append("\t").append(std::to_string(countyId)).append("\t");
        const GazetteerRow* county = FindCounty(countyId);
        if (county != nullptr) {
            out.append(county->stateCode).append(",").append(county->countyName);
        } else {
            out.append("-");
        }
        out.append("\t").append(ConversionMark(abbreviation, county, selection, list)).append("\n");
    };
    SearchInOrder(selection, list, [&line](const SearchPlace& place) {
        if (place.list != nullptr) {
            for (const AbbrevListRow& row : place.list->rows()) line(row.abbreviation, row.countyId);
        } else {
            for (const AbbrevEntry& row : place.table->rows) line(row.abbreviation, row.countyId);
        }
        return false;
    });
    return out;
}

} // namespace

int AbbreviationsCommand(const Args& args) {
    const ParseResult parsed =
        ParseCommandLine("abbreviations", args, {Option::Selection, Option::List, Option::Csv}, kAbbreviationsHelp);
    if (!parsed.line) return parsed.status;
    const CommandLine& line = *parsed.line;
    if (const int status = RejectOperands("abbreviations", line)) return status;
    if (!line.selection) return CommandUsageError("abbreviations", "missing --selection CODE");
    std::optional<AbbrevList> list;
    if (!LoadListOptions(line, list)) return 1;

    const AbbrevList* active = list ? &*list : nullptr;
    return WriteText(stdout, line.csv ? EffectiveTableCsv(*line.selection, active) : AllRowsText(*line.selection, active))
               ? 0
               : 1;
}

} // namespace shirl::cli
