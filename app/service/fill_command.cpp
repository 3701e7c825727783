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

FillOutcome Failure(Fault fault) {
    FillOutcome outcome;
    outcome.fault = std::move(fault);
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
std::optional<Fault> CheckNames(const FillRequest& request) {
    if (request.contest.inputName.empty()) return Fault{FaultKind::NoContestLog};
    if (request.logbookName.empty()) return Fault{FaultKind::NoLogbook};
    if (request.outputName.empty()) return Fault{FaultKind::NoOutputName};
    for (const std::string* input : {&request.logbookName, &request.contest.inputName})
        if (*input == request.outputName || SameExistingFile(*input, request.outputName))
            return Fault{FaultKind::SameNames};
    return std::nullopt;
}

// Writes the filled logbook; the fault on failure.
std::optional<Fault> WriteFilled(const FillRequest& request, const ContestQsos& qsos, RunReport& report) {
    FileSource logbook;
    if (!logbook.Open(request.logbookName)) return Fault{FaultKind::CannotOpenLogbook};
    if (!logbook.CanRewind()) return Fault{FaultKind::LogbookNotAFile};
    OutputReplacement output;
    if (!output.Open(request.outputName)) return Fault{FaultKind::CannotOpenOutput};
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
        return Fault{FaultKind::CannotReadLogbook};
    }
    if (!written || (!output.IsDirect() && !output.Commit())) {
        output.Discard();
        return Fault{FaultKind::CannotWriteOutput};
    }
    return std::nullopt;
}

} // namespace

FillOutcome RunFillCommand(const FillRequest& request) {
    if (auto fault = CheckNames(request)) return Failure(std::move(*fault));
    // Read twice: a pipe or device would be emptied by the first pass (and
    // waited on when opened again).
    const FileKind kind = KindOf(request.logbookName);
    if (kind == FileKind::Other || kind == FileKind::Folder)
        return Failure({FaultKind::LogbookNotAFile});
    {
        LogInput logbook; // only told apart here; the passes read it as it is
        if (!logbook.Open(request.logbookName)) return Failure({FaultKind::CannotOpenLogbook});
        if (logbook.Kind() != LogKind::Adif) return Failure({FaultKind::LogbookNotAdif, request.logbookName});
    }
    ConvertRequest contest = request.contest;
    contest.outputName.clear();
    contest.countyLines = CountyLines::Usaca; // one record per QSO, its counties listed
    MemoryOutput converted;
    ConvertOutcome conversion = RunConvertCommand(contest, converted);
    if (conversion.fault) return Failure(std::move(*conversion.fault));
    MemorySource adif(converted.Text());
    const ContestQsos qsos = ReadContestQsos(adif);
    FillOutcome outcome;
    outcome.report = ConversionRows(std::move(conversion.report));
    if (auto fault = WriteFilled(request, qsos, outcome.report)) return Failure(std::move(*fault));
    return outcome;
}

} // namespace shirl
