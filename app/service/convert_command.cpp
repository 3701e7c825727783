// The Convert command: the checks in their fixed order, the run into a
// temporary file beside the output, and the report rows.
#include "app/service/convert_command.h"

#include <new>

#include "adif/byte_io.h"
#include "app/service/log_input.h"
#include "convert/convert_log.h"
#include "files/file_system.h"
#include "files/output_replacement.h"

namespace shirl {
namespace {

constexpr const char* kNoInputName = "ERROR: Didn't specify input file.";
constexpr const char* kNoOutputName = "ERROR: Didn't specify output file.";
constexpr const char* kSameNames = "ERROR: Input and output file names must be different.";
constexpr const char* kCannotOpenInput = "ERROR: Could not open input file.";
constexpr const char* kCannotOpenOutput = "ERROR: Could not open output file.";
constexpr const char* kCannotWriteOutput = "ERROR: Could not write output file.";
constexpr const char* kCannotReadInput = kCannotReadInputText;

ConvertOutcome Failure(std::string_view text) {
    ConvertOutcome outcome;
    outcome.error = std::string(text);
    return outcome;
}

} // namespace

std::string NotALogError(const std::string& inputName) {
    return "ERROR: " + inputName + " is neither an ADIF log nor a Cabrillo log.";
}

ConvertOutcome RunConvertCommand(const ConvertRequest& request) {
    if (request.inputName.empty()) return Failure(kNoInputName);
    if (request.outputName.empty()) return Failure(kNoOutputName);
    // Another name of the same existing file: other letter case on a file
    // system that ignores case, a relative form, a symbolic or hard link.
    if (request.inputName == request.outputName || SameExistingFile(request.inputName, request.outputName))
        return Failure(kSameNames);
    if (!request.selection.IsValid() && !request.selectionFromLog) return Failure(kNoSelectionError);

    LogInput input;
    if (!input.Open(request.inputName)) return Failure(kCannotOpenInput);
    if (input.Kind() == LogKind::NotALog) return Failure(NotALogError(request.inputName));

    PreparedRun run;
    std::string err;
    if (!PrepareRun(RunRequest{request.selection, request.selectionFromLog, request.lists}, input.Adif(), run, &err)) {
        if (run.notALog) return Failure(NotALogError(request.inputName));
        ConvertOutcome outcome;
        outcome.error = std::move(err);
        outcome.partyUnknown = run.partyUnknown;
        return outcome;
    }
    RunReport& report = run.report;
    const Selection selection = run.selection;
    const AbbrevList* list = run.List();

    // The output is written to a temporary file beside the file it will
    // replace, and takes the output's name only once every byte has been
    // written; an existing output file stays as it was until then.
    OutputReplacement output;
    if (!output.Open(request.outputName)) return Failure(kCannotOpenOutput);

    // A Cabrillo log's lines that cannot be converted are problems of the input.
    input.ReportProblemsTo(
        [&report](std::string text) { report.inputProblems.Unlabelled(MessageKind::Warning, std::move(text)); });
    bool written = true;
    ConvertLogResult result;
    try {
        result = ConvertLogDetailed(input.Adif(), output.Sink(), selection, request.addMobile, request.outputName,
                                    report, list);
    } catch (const std::bad_alloc&) {
        // Out of memory (a value of gigabytes): the output is incomplete.
        written = false;
    }
    // A read error part way through leaves a log cut short: it must not take
    // the place of an existing output as if the conversion were complete.
    const bool readWhole = !input.Failed();
    if (const CabrilloAdifSource* cabrillo = input.Cabrillo())
        report.progress.Insert(0, {.kind = MessageKind::Info, .text = CabrilloReportText(*cabrillo)});
    input.Close();

    written = output.Close() && written;
    // A device or pipe has already taken what was read: a read error there
    // is still a failure, never a report of success.
    if (!readWhole) {
        output.Discard();
        return Failure(kCannotReadInput);
    }
    // Text that is no log is not turned into an empty one.
    if (!result.adifLog) {
        output.Discard();
        return Failure(NotALogError(request.inputName));
    }
    CheckSelectionAgainstLog(result.contestIds, run);
    if (output.IsDirect() && !written) return Failure(kCannotWriteOutput);
    if (!output.IsDirect() && (!written || !output.Commit())) {
        output.Discard();
        return Failure(kCannotWriteOutput);
    }

    ConvertOutcome outcome;
    outcome.report = std::move(report);
    outcome.selection = selection;
    outcome.countyQsos = std::move(result.countyQsos);
    outcome.otherCntyQsos = std::move(result.otherCntyQsos);
    return outcome;
}

} // namespace shirl
