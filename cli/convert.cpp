// shirl-cli convert: the Convert command on the command line, for one log
// (INPUT OUTPUT) or many (--output-dir DIR INPUT...).
#include <cstdio>
#include <iostream>
#include <set>
#include <string>

#include "app/service/convert_command.h"
#include "app/service/log_input.h"
#include "app/service/map_file.h"
#include "app/service/offered_name.h"
#include "app/service/report_view.h"
#include "app/service/run_preparation.h"
#include "cli/commands.h"
#include "cli/file_reasons.h"
#include "cli/list_options.h"
#include "cli/options.h"
#include "cli/platform_io.h"
#include "data/selections.h"
#include "files/file_system.h"
#include "files/folder_names.h"

namespace shirl::cli {
namespace {

const std::string kConvertHelp = std::string(
    "Usage: shirl-cli convert --selection CODE|auto [OPTIONS] [--map FILE|auto] INPUT OUTPUT\n"
    "       shirl-cli convert --selection CODE|auto [OPTIONS] [--map auto] --output-dir DIR INPUT...\n"
    "\n"
    "Converts the ADIF log INPUT into OUTPUT for the Selection CODE (a state,\n"
    "province or QSO party code such as AL, PA, 7QP or USCQP, in any letter case)\n"
    "and prints the report, one row a line. INPUT may be a Cabrillo log (its\n"
    "first line START-OF-LOG:): each QSO: line becomes an ADIF record. INPUT -\n"
    "reads the log from standard input, OUTPUT - writes it to standard output\n"
    "(the report then goes to standard error).\n"
    "\n"
    "  --selection CODE  the Selection whose abbreviations the log uses\n"
    "  --selection auto  the Selection that the log's CONTEST_ID values name\n"
    "                    (AL-QSO-PARTY, 7QP, WA-SALMON-RUN, ...); logs of the\n"
    "                    7QP/INQP/NEQP/DE weekend get MULTI\n"
    "  --no-mobile       do not add /M to the callsign of a mobile station\n"
    "                    whose callsign carries its county\n") +
    kListOptionsHelp +
    "                    (with --selection auto, each list serves only the party\n"
    "                    it is named after: SD.csv, MARAC.replace.csv)\n"
    "  --output-dir DIR  convert every INPUT into the existing folder DIR under\n"
    "                    its own file name (a Cabrillo log's with the extension\n"
    "                    .adi); each report follows a line \"== INPUT\", and a\n"
    "                    last line counts the logs converted\n"
    "  --county-lines copies|usaca\n"
    "                    a QSO on a county line becomes one record per county,\n"
    "                    each a second later (copies, the default), or one\n"
    "                    record with CNTY the first county and USACA_COUNTIES\n"
    "                    all of them (usaca; MY_USACA_COUNTIES for a rover)\n"
    "  --map FILE        also write the map of the counties worked as SVG to\n"
    "                    FILE; --map auto writes it beside the output as\n"
    "                    NAME-map.svg (out.adi: out-map.svg), which is the\n"
    "                    only form --output-dir takes (not with OUTPUT -)\n"
    "  --threads 1|2     accepted and ignored (earlier versions read a large log\n"
    "                    on a second thread); every log is read, converted and\n"
    "                    written on one\n"
    "\n"
    "The report goes to standard output; a log that could not be converted gets\n"
    "its error message on standard error instead, for one log as in a batch.\n"
    "\n"
    "A QSO whose county fields are empty takes its county from the last word of\n"
    "SRX_STRING (\"599 AUT\"), unless that word is a number. A QSO without a call,\n"
    "a mode or a band is not written; a row after the totals counts them. A file\n"
    "that is no ADIF log is reported and not written.\n"
    "\n"
    "Examples:\n"
    "  shirl-cli convert --selection auto log.adi out.adi\n"
    "  shirl-cli convert --selection auto fqp.log fqp.adi\n"
    "  shirl-cli convert --selection SD --list this-year.csv log.adi out.adi\n"
    "  shirl-cli convert --selection auto --list SD.csv --output-dir converted logs/*.adi\n"
    "  shirl-cli convert --selection auto --output-dir converted logs/*.adi\n"
    "  shirl-cli convert --selection AL --map al.svg log.adi out.adi\n"
    "  shirl-cli convert --selection auto - - < log.adi > out.adi\n"
    "\n"
    "Exit status: 0 when the conversion ran (with --output-dir: every one),\n"
    "1 when a check failed, 2 on a usage error (also a missing --selection or a\n"
    "missing output folder).\n";

// The fault of a log on stderr: with the file's name and the reason, and
// where the log's CONTEST_ID named no one party, with how to choose one.
void PrintFault(const Fault& fault, const ConvertRequest& request) {
    std::fflush(stdout); // what came before it is shown before it
    WriteLine(stderr, WithFileReason(fault, request));
}

constexpr const char* kMapBeside = "auto";
constexpr const char* kStandardStream = "-"; // standard input as INPUT, standard output as OUTPUT

// Writes the map of a run that converted, to `map` or beside the output
// ("auto"); the message and false when it cannot be written.
bool WriteMapOf(const ConvertOutcome& outcome, const std::optional<std::string>& map, const std::string& outputName) {
    if (!map) return true;
    if (const auto none = NoMapFault(outcome)) {
        WriteLine(stderr, FaultText(*none));
        return false;
    }
    const std::string name = *map == kMapBeside ? OfferedMapName(outputName) : *map;
    if (WriteCountyMap(name, outcome)) return true;
    WriteLine(stderr, FaultText({FaultKind::MapUnwritable, name}));
    return false;
}

// Converts each input into the output folder and closes with a line that
// counts the logs converted; 0 only when every log converted.
int ConvertIntoFolder(ConvertRequest request, const std::string& folder, const std::vector<std::string>& inputs,
                      const std::optional<std::string>& map) {
    int status = 0;
    std::size_t converted = 0;
    std::set<std::string> outputs;
    // The ADIF log made from a Cabrillo log takes the extension .adi; two
    // inputs of one name would write the same output: the later is refused.
    request.nameOutput = [&](const std::string& adifName) -> std::optional<std::string> {
        std::string name = NameInFolder(folder, adifName);
        if (!outputs.insert(name).second) return std::nullopt;
        return name;
    };
    for (const std::string& input : inputs) {
        WriteLine(stdout, "== " + input);
        request.inputName = input;
        const ConvertOutcome outcome = RunConvertCommand(request);
        request.outputName = outcome.outputName; // the output a fault's reason speaks of
        if (outcome.fault) {
            PrintFault(*outcome.fault, request);
            WriteLine(stdout, ""); // ends the log's part as a report does
            status = 1;
            continue;
        }
        ++converted;
        WriteLines(stdout, ReportRows(outcome.report));
        std::fflush(stdout);
        if (!WriteMapOf(outcome, map, outcome.outputName)) status = 1;
    }
    WriteLine(stdout, "Converted " + std::to_string(converted) + " of " + std::to_string(inputs.size()) + " logs.");
    std::fflush(stdout);
    return status;
}

} // namespace

int ConvertCommand(const Args& args) {
    const ParseResult parsed =
        ParseCommandLine("convert", args,
                         {Option::Selection, Option::SelectionAuto, Option::NoMobile, Option::List, Option::OutputDir,
                          Option::Map, Option::CountyLines, Option::Threads},
                         kConvertHelp);
    if (!parsed.line) return parsed.status;
    const CommandLine& line = *parsed.line;
    if (line.map && *line.map == kStandardStream)
        return CommandUsageError("convert", "--map takes a FILE or auto, not - (no map goes to standard output)");
    if (line.outputDir) {
        if (line.operands.empty()) return CommandUsageError("convert", "missing INPUT");
        for (const std::string& input : line.operands)
            if (input == kStandardStream)
                return CommandUsageError("convert", "with --output-dir, INPUT cannot be - (standard input)");
        if (line.map && *line.map != kMapBeside)
            return CommandUsageError("convert", "with --output-dir, --map takes only auto");
        // Before any log is read: the folder must be there.
        if (KindOf(*line.outputDir) != FileKind::Folder)
            return CommandUsageError("convert", "the output folder '" + *line.outputDir + "' does not exist");
    } else {
        if (line.operands.size() < 2) return CommandUsageError("convert", "missing INPUT and OUTPUT");
        if (line.operands.size() > 2) return CommandUsageError("convert", "takes only INPUT and OUTPUT");
        if (line.operands[1] == kStandardStream && line.map && *line.map == kMapBeside)
            return CommandUsageError("convert", "--map auto needs an OUTPUT file; name the map with --map FILE");
    }
    // No Selection is a usage error, with the message the Convert command gives.
    if (!line.selection && !line.selectionAuto) {
        WriteLine(stderr, FaultText({FaultKind::NoSelection}));
        return 2;
    }
    ConvertRequest request;
    request.selection = line.selection.value_or(Selection());
    request.selectionFromLog = line.selectionAuto;
    request.addMobile = !line.noMobile;
    request.countyLines = line.countyLines;
    // With auto each log's party is found in the log: a list serves the party it is named after.
    RunLists lists;
    if (const int status = LoadRunLists(line, request.selection, lists)) return status;
    request.lists = &lists;
    if (line.outputDir) return ConvertIntoFolder(request, *line.outputDir, line.operands, line.map);

    request.standardInput = line.operands[0] == kStandardStream;
    request.standardOutput = line.operands[1] == kStandardStream;
    request.inputName = request.standardInput ? "standard input" : line.operands[0];
    request.outputName = line.operands[1];
    const ConvertOutcome outcome = RunConvertCommand(request);
    if (outcome.fault) {
        PrintFault(*outcome.fault, request);
        return 1;
    }
    // With the log on standard output, the report goes to standard error.
    std::FILE* const reportTo = request.standardOutput ? stderr : stdout;
    std::fflush(stdout);
    WriteLines(reportTo, ReportRows(outcome.report));
    std::fflush(reportTo);
    return WriteMapOf(outcome, line.map, request.outputName) ? 0 : 1;
}

} // namespace shirl::cli
