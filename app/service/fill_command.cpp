// The Fill command: checks, the contest log's conversion into memory, the
// logbook's two passes into the output.
#include "app/service/fill_command.h"

#include <new>

#include "app/service/log_input.h"
#include "fill/fill_logbook.h"
#include "files/file_streams.h"
#include "files/file_system.h"
#include "files/output_replacement.h"

namespace shirl {
namespace {

// The converted contest log, held in memory: a contest log is small.
class MemoryOutput final : public ConvertOutput {
public:
    bool Open() override { return true; }
    ByteSink& Sink() override { return m_sink; }
    bool Close() override { return m_sink.Flush(); }
    const std::string& Text() { return m_sink.str(); }

private:
    StringSink m_sink{1 << 16};
};

FillOutcome Failure(std::string text) {
    FillOutcome outcome;
    outcome.error = std::move(text);
    return outcome;
}

// The conversion's report without its Wrote line: nothing was written.
RunReport ConversionRows(RunReport report) {
    MessageList first;
    for (const ReportMessage& message : report.progress.OldestFirst())
        if (!(message.kind == MessageKind::Summary && message.text.starts_with("Wrote "))) first.Push(message);
    report.progress = std::move(first);
    return report;
}

// The names' checks: each given, the output none of the inputs.
std::optional<std::string> CheckNames(const FillRequest& request) {
    if (request.contest.inputName.empty()) return "ERROR: Didn't specify the contest log.";
    if (request.logbookName.empty()) return "ERROR: Didn't specify the logbook.";
    if (request.outputName.empty()) return "ERROR: Didn't specify output file.";
    for (const std::string* input : {&request.logbookName, &request.contest.inputName})
        if (*input == request.outputName || SameExistingFile(*input, request.outputName))
            return "ERROR: Input and output file names must be different.";
    return std::nullopt;
}

// Writes the filled logbook; the error text on failure.
std::optional<std::string> WriteFilled(const FillRequest& request, const ContestQsos& qsos, RunReport& report) {
    FileSource logbook;
    if (!logbook.Open(request.logbookName)) return "ERROR: Could not open the logbook.";
    if (!logbook.CanRewind()) return "ERROR: The logbook is read twice: give it as a file.";
    OutputReplacement output;
    if (!output.Open(request.outputName)) return "ERROR: Could not open output file.";
    FillOptions options{static_cast<std::int64_t>(request.windowMinutes) * 60, request.contest.countyLines};
    FillResult result;
    bool written = true;
    try {
        result = FillLogbook(qsos, logbook, output.Sink(), options, request.outputName, report);
    } catch (const std::bad_alloc&) {
        written = false;
    }
    const bool readWhole = !logbook.Failed() && result.rewound;
    logbook.Close();
    written = output.Close() && written;
    if (!readWhole) {
        output.Discard();
        return "ERROR: Could not read the logbook.";
    }
    if (!written || (!output.IsDirect() && !output.Commit())) {
        output.Discard();
        return "ERROR: Could not write output file.";
    }
    return std::nullopt;
}

} // namespace

FillOutcome RunFillCommand(const FillRequest& request) {
    if (auto error = CheckNames(request)) return Failure(std::move(*error));
    // Read twice: a pipe or device would be emptied by the first pass (and
    // waited on when opened again).
    const FileKind kind = KindOf(request.logbookName);
    if (kind == FileKind::Other || kind == FileKind::Folder)
        return Failure("ERROR: The logbook is read twice: give it as a file.");
    {
        LogInput logbook; // only told apart here; the passes read it as it is
        if (!logbook.Open(request.logbookName)) return Failure("ERROR: Could not open the logbook.");
        if (logbook.Kind() != LogKind::Adif) return Failure("ERROR: " + request.logbookName + " is not an ADIF log.");
    }
    ConvertRequest contest = request.contest;
    contest.outputName.clear();
    contest.countyLines = CountyLines::Usaca; // one record per QSO, its counties listed
    MemoryOutput converted;
    ConvertOutcome conversion = RunConvertCommand(contest, converted);
    if (conversion.error) {
        FillOutcome outcome = Failure(std::move(*conversion.error));
        outcome.partyUnknown = conversion.partyUnknown;
        return outcome;
    }
    MemorySource adif(converted.Text());
    const ContestQsos qsos = ReadContestQsos(adif);
    FillOutcome outcome;
    outcome.report = ConversionRows(std::move(conversion.report));
    if (auto error = WriteFilled(request, qsos, outcome.report)) return Failure(std::move(*error));
    return outcome;
}

} // namespace shirl
