// shirl-cli selections: the Selections in the order the dialog offers them,
// CODE<TAB>NAME, one a line, then those --selection accepts that the dialog
// does not offer, marked so.
#include <algorithm>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "cli/options.h"
#include "cli/platform_io.h"
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
    "then the codes that --selection accepts but the dialog does not offer:\n"
    "\n"
    "  CODE<TAB>NAME<TAB>not in the dialog\n"
    "\n"
    "Options:\n"
    "  --help  show this help\n";

} // namespace

int SelectionsCommand(const Args& args) {
    const ParseResult parsed = ParseCommandLine("selections", args, {}, kSelectionsHelp);
    if (!parsed.line) return parsed.status;
    if (const int status = RejectOperands("selections", *parsed.line)) return status;
    std::string out;
    const auto offered = DisplayOrder();
    for (const Selection s : offered) out.append(s.Code()).append("\t").append(s.Name()).append("\n");
    for (int index = 0; index < kSelectionCount; ++index) {
        const Selection s(index);
        if (std::find(offered.begin(), offered.end(), s) != offered.end()) continue;
        out.append(s.Code()).append("\t").append(s.Name()).append("\tnot in the dialog\n");
    }
    return WriteText(stdout, out) ? 0 : 1;
}

} // namespace shirl::cli
