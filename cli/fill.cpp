// shirl-cli fill: the counties of a contest log into the logbook that
// already holds its QSOs.
#include <cstdio>
#include <string>

#include "app/service/fill_command.h"
#include "app/service/report_view.h"
#include "cli/commands.h"
#include "cli/file_reasons.h"
#include "cli/list_options.h"
#include "cli/options.h"
#include "cli/platform_io.h"

namespace shirl::cli {
namespace {

const std::string kFillHelp = std::string(
    "Usage: shirl-cli fill --selection CODE|auto --from CONTEST_LOG [OPTIONS] LOGBOOK OUTPUT\n"
    "\n"
    "Writes LOGBOOK (an ADIF log) to OUTPUT with the counties of CONTEST_LOG (ADIF\n"
    "or Cabrillo, converted as convert converts it) added to the records that hold\n"
    "its QSOs, and prints the report. A record and a QSO pair when their calls are\n"
    "the same (letter case, portable prefixes and suffixes such as KH6/, /M, /P,\n"
    "/4 and county suffixes aside), their bands and mode families (CW, phone,\n"
    "data) are the same and they started within the window of each other; the\n"
    "nearest pairs are taken first, and two equally near are reported and not\n"
    "taken. A matched record without CNTY gets CNTY and STATE (and MY_CNTY and\n"
    "MY_STATE where it has none) before its <EOR>; every other byte of LOGBOOK is\n"
    "written as it was. LOGBOOK is only read, twice, as a file.\n"
    "\n"
    "  --from CONTEST_LOG  the contest log whose counties are filled in\n"
    "  --selection CODE    the Selection whose abbreviations the contest log uses\n"
    "  --selection auto    the Selection that the contest log's CONTEST_ID names\n"
    "  --window MINUTES    how far apart a record's and a QSO's start times may\n"
    "                      be (default 10)\n"
    "  --county-lines copies|usaca\n"
    "                      a QSO on a county line adds a copy of its record for\n"
    "                      each further county, a second apart, without the\n"
    "                      QSL_, LOTW_, EQSL_, CLUBLOG_, QRZCOM_, HRDLOG_,\n"
    "                      HAMLOGEU_ and HAMQTH_ fields (copies, the default), or\n"
    "                      its record gets USACA_COUNTIES (usaca)\n"
    "  --no-mobile         do not add /M to a mobile's callsign in the contest log\n") +
    kListOptionsHelp +
    "\n"
    "The report counts the records matched and filled and the records added, and\n"
    "names the contest QSOs that the logbook lacks, those with two equally near\n"
    "records and those whose county or state the logbook gives otherwise.\n"
    "\n"
    "Example:\n"
    "  shirl-cli fill --selection auto --from alqp.log logbook.adi filled.adi\n"
    "\n"
    "Exit status: 0 when OUTPUT was written, 1 when a check failed, 2 on a usage\n"
    "error.\n";

} // namespace

int FillCommand(const Args& args) {
    const ParseResult parsed = ParseCommandLine(
        "fill", args,
        {Option::Selection, Option::SelectionAuto, Option::NoMobile, Option::List, Option::CountyLines, Option::From,
         Option::Window},
        kFillHelp);
    if (!parsed.line) return parsed.status;
    const CommandLine& line = *parsed.line;
    if (!line.from) return CommandUsageError("fill", "missing --from CONTEST_LOG");
    if (line.operands.size() < 2) return CommandUsageError("fill", "missing LOGBOOK and OUTPUT");
    if (line.operands.size() > 2) return CommandUsageError("fill", "takes only LOGBOOK and OUTPUT");
    if (!line.selection && !line.selectionAuto) {
        WriteLine(stderr, FaultText({FaultKind::NoSelection}));
        return 2;
    }
    FillRequest request;
    request.contest.inputName = *line.from;
    request.contest.selection = line.selection.value_or(Selection());
    request.contest.selectionFromLog = line.selectionAuto;
    request.contest.addMobile = !line.noMobile;
    request.contest.countyLines = line.countyLines;
    RunLists lists;
    if (const int status = LoadRunLists(line, request.contest.selection, lists)) return status;
    request.contest.lists = &lists;
    request.logbookName = line.operands[0];
    request.outputName = line.operands[1];
    request.windowMinutes = line.window.value_or(10);
    const FillOutcome outcome = RunFillCommand(request);
    if (outcome.fault) {
        std::fflush(stdout);
        WriteLine(stderr, CommandLineText(*outcome.fault));
        return 1;
    }
    WriteLines(stdout, ReportRows(outcome.report));
    std::fflush(stdout);
    return 0;
}

} // namespace shirl::cli
