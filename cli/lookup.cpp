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
    "such as AL,Autauga), state (it becomes STATE VALUE, such as MD), silent (it\n"
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

    std::string line;
    for (const std::string& abbreviation : commandLine.operands) {
        const CountyAnswer answer =
            AnswerCountyValue(abbreviation, *commandLine.selection, call, list ? &*list : nullptr);
        line.assign(abbreviation).append(1, '\t').append(CountyAnswerKindName(answer.kind));
        line.append(1, '\t').append(answer.value).append(1, '\t');
        for (std::size_t i = 0; i < answer.messages.size(); ++i)
            line.append(i == 0 ? "" : " ").append(ReportRowText(answer.messages[i]));
        if (!WriteLine(stdout, line)) return 1;
    }
    return 0;
}

} // namespace shirl::cli
