// shirl-cli lookup --selection CODE [--call CALL] ABBREV...
//
// Takes each ABBREV through the steps a conversion takes for a county field
// (AnswerCountyValue) and prints one line for it:
// ABBREV<TAB>KIND<TAB>VALUE<TAB>MESSAGES.
#include <optional>
#include <string>
#include <string_view>

#include "app/service/report_view.h"
#include "cli/commands.h"
#include "cli/list_options.h"
#include "cli/options.h"
#include "cli/platform_io.h"
#include "convert/county_answer.h"
#include "convert/county_line_value.h"
#include "data/selections.h"

namespace shirl::cli {
namespace {

const std::string kLookupHelp = std::string(
    "Usage: shirl-cli lookup --selection CODE [--call CALL] ABBREV...\n"
    "\n"
    "Takes each ABBREV through the steps a conversion takes for a county field\n"
    "of the Selection CODE (upper case, state codes, the Canadian and DC rules,\n"
    "the tables and lists) and prints one line for each:\n"
    "\n"
    "  ABBREV<TAB>KIND<TAB>VALUE<TAB>MESSAGES\n"
    "\n"
    "KIND is what the conversion does with it: county (it becomes CNTY VALUE,\n"
    "such as AL,Autauga; a county line in one value, such as DAD/BRO, gives\n"
    "every county joined by /), state (it becomes STATE VALUE, such as MD), silent (it\n"
    "stays as it was, without a message) or none (it stays as it was, with a\n"
    "warning). MESSAGES are the report rows the conversion gives for it, one\n"
    "after the other; they name the station as \"(no call)\" unless --call is given.\n"
    "\n"
    "Options:\n"
    "  --selection CODE  a Selection code such as AL, PA, 7QP or USCQP, any letter case\n"
    "  --call CALL       the worked station's callsign (a Canadian station may give\n"
    "                    its province instead of a county)\n") +
    kListOptionsHelp +
    "  --help            show this help\n"
    "  --                end of options (the arguments after it are abbreviations)\n"
    "\n"
    "Example: shirl-cli lookup --selection AL AUTA jeff\n";

// ABBREV<TAB>KIND<TAB>VALUE<TAB>MESSAGES for `abbreviation`. A county line
// written in one value (DAD/BRO) is a county as a conversion takes it: every
// county, joined by "/", with the messages of each and no warning.
std::string LookupLine(const std::string& abbreviation, const CountyQuestion& question) {
    CountyAnswer answer = AnswerCountyValue(abbreviation, question);
    std::string value(answer.value);
    if (answer.kind == CountyAnswer::Kind::None) {
        if (const std::vector<CountyLinePart> parts = CountyLineParts(abbreviation, question); !parts.empty()) {
            answer = {CountyAnswer::Kind::County, {}, {}};
            value.clear();
            for (const CountyLinePart& part : parts) {
                value.append(value.empty() ? "" : "/").append(part.answer.value);
                answer.messages.insert(answer.messages.end(), part.answer.messages.begin(), part.answer.messages.end());
            }
        }
    }
    std::string line = abbreviation + '\t' + std::string(CountyAnswerKindName(answer.kind)) + '\t' + value + '\t';
    for (std::size_t i = 0; i < answer.messages.size(); ++i)
        line.append(i == 0 ? "" : " ").append(ReportRowText(answer.messages[i]));
    return line;
}

} // namespace

int LookupCommand(const Args& args) {
    const ParseResult parsed =
        ParseCommandLine("lookup", args, {Option::Selection, Option::List, Option::Call}, kLookupHelp);
    if (!parsed.line) return parsed.status;
    const CommandLine& commandLine = *parsed.line;
    if (!commandLine.selection) return CommandUsageError("lookup", "missing --selection CODE");
    if (commandLine.operands.empty()) return CommandUsageError("lookup", "missing ABBREV");
    std::optional<AbbrevList> list;
    if (!LoadListOptions(commandLine, list)) return 1;
    std::optional<std::string_view> call;
    if (commandLine.call) call = *commandLine.call;

    const CountyQuestion question{*commandLine.selection, list ? &*list : nullptr, call, std::nullopt,
                                  FieldKind::Cnty, "CNTY"};
    for (const std::string& abbreviation : commandLine.operands)
        if (!WriteLine(stdout, LookupLine(abbreviation, question))) return 1;
    return 0;
}

} // namespace shirl::cli
