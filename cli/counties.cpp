// shirl-cli counties: the county gazetteer in FIPS order,
// COUNTY_ID<TAB>ST<TAB>NAME, one county a line.
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "cli/options.h"
#include "cli/platform_io.h"
#include "data/gazetteer.h"

namespace shirl::cli {
namespace {

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

} // namespace

int CountiesCommand(const Args& args) {
    const ParseResult parsed = ParseCommandLine("counties", args, {}, kCountiesHelp);
    if (!parsed.line) return parsed.status;
    if (const int status = RejectOperands("counties", *parsed.line)) return status;
    std::string out;
    for (const GazetteerRow& row : Gazetteer()) {
        out.append(std::to_string(CountyId(row))).append("\t");
        out.append(row.stateCode).append("\t").append(row.countyName).append("\n");
    }
    return WriteText(stdout, out) ? 0 : 1;
}

} // namespace shirl::cli
