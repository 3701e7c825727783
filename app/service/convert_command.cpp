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

ConvertOutcome Failure(Fault fault) {
    ConvertOutcome outcome;
    outcome.fault = std::move(fault);
    return outcome;
}

// The output file, written to a temporary file beside it and renamed at
// the end, so that an existing output stays as it was until then.
class FileOutput final : public ConvertOutput {
public:
    // `standard`: standard output, written directly.
    FileOutput(const std::string& name, bool standard) : m_name(name), m_standard(standard) {}
    bool Open() override { return m_standard ? m_output.OpenStandardOutput() : m_output.Open(m_name); }
    ByteSink& Sink() override { return m_output.Sink(); }
    bool Close() override { return m_output.Close(); }
    bool IsDirect() const override { return m_output.IsDirect(); }
    bool Commit() override { return m_output.Commit(); }
    void Discard() override { m_output.Discard(); }

private:
    const std::string& m_name;
    bool m_standard;
    OutputReplacement m_output;
};

// Opens the request's input and tells its kind; the fault when it cannot
// be opened or is no log that can be read.
std::optional<Fault> OpenInput(const ConvertRequest& request, LogInput& input) {
    // Standard input is read twice only when the party is told from the log.
    if (!(request.standardInput ? input.OpenStandardInput(request.inputName, request.selectionFromLog)
                                : input.Open(request.inputName)))
        return Fault{FaultKind::CannotOpenInput};
    if (input.Kind() == LogKind::NotALog) return Fault{FaultKind::NotALog, request.inputName};
    if (input.Kind() == LogKind::Utf16) return Fault{FaultKind::Utf16Log, request.inputName};
    return std::nullopt;
}

// The checks of the output's name against the input's.
std::optional<Fault> OutputNameFault(const ConvertRequest& request) {
    if (request.outputName.empty()) return Fault{FaultKind::NoOutputName};
    // Another name of the same existing file: other letter case on a file
    // system that ignores case, a relative form, a symbolic or hard link.
    const bool files = !request.standardInput && !request.standardOutput;
    if (files && (request.inputName == request.outputName || SameExistingFile(request.inputName, request.outputName)))
        return Fault{FaultKind::SameNames};
    return std::nullopt;
}

// The run of an open input into `output`, from its preparation on.
ConvertOutcome RunOpened(const ConvertRequest& request, LogInput& input, ConvertOutput& output) {
    PreparedRun run;
    const RunRequest prepare{.selection = request.selection,
                             .selectionFromLog = request.selectionFromLog,
                             .lists = request.lists,
                             .inputName = request.inputName};
    if (auto fault = PrepareRun(prepare, input.Adif(), run)) return Failure(std::move(*fault));
    RunReport& report = run.report;
    const Selection selection = run.selection;
    const AbbrevList* list = run.List();

    if (!output.Open()) return Failure({FaultKind::CannotOpenOutput});

    // A Cabrillo log's lines that cannot be converted are problems of the input.
    input.ReportProblemsTo(
        [&report](std::string text) { report.inputProblems.Unlabelled(MessageKind::Warning, std::move(text)); });
    bool written = true;
    ConvertLogResult result;
    try {
        const bool named = !request.standardOutput && !request.outputName.empty();
        result = ConvertLogDetailed(input.Adif(), output.Sink(), selection, request.addMobile,
                                    named ? std::optional<std::string_view>(request.outputName) : std::nullopt, report,
                                    list, request.countyLines);
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
        return Failure({FaultKind::CannotReadInput});
    }
    // Text that is no log is not turned into an empty one.
    if (!result.adifLog) {
        output.Discard();
        return Failure({FaultKind::NotALog, request.inputName});
    }
    CheckSelectionAgainstLog(result.contestIds, run);
    if (output.IsDirect() && !written) return Failure({FaultKind::CannotWriteOutput});
    if (!output.IsDirect() && (!written || !output.Commit())) {
        output.Discard();
        return Failure({FaultKind::CannotWriteOutput});
    }

    ConvertOutcome outcome;
    outcome.report = std::move(report);
    outcome.selection = selection;
    if (list != nullptr) outcome.list = *list;
    outcome.countyQsos = std::move(result.countyQsos);
    outcome.otherCntyQsos = std::move(result.otherCntyQsos);
    return outcome;
}

// The output named once the input is open (request.nameOutput).
ConvertOutcome RunNamedOnceOpen(const ConvertRequest& request) {
    if (!request.selection.IsValid() && !request.selectionFromLog) return Failure({FaultKind::NoSelection});
    LogInput input;
    if (auto fault = OpenInput(request, input)) return Failure(std::move(*fault));
    const std::optional<std::string> name = request.nameOutput(input.AdifName(request.inputName));
    if (!name) return Failure({FaultKind::DuplicateOutputName});
    ConvertRequest named = request;
    named.outputName = *name;
    ConvertOutcome outcome;
    if (auto fault = OutputNameFault(named)) {
        outcome = Failure(std::move(*fault));
    } else {
        FileOutput output(named.outputName, named.standardOutput);
        outcome = RunOpened(named, input, output);
    }
    outcome.outputName = named.outputName;
    return outcome;
}

} // namespace

ConvertOutcome RunConvertCommand(const ConvertRequest& request) {
    if (request.inputName.empty()) return Failure({FaultKind::NoInputName});
    if (request.nameOutput) return RunNamedOnceOpen(request);
    if (auto fault = OutputNameFault(request)) return Failure(std::move(*fault));
    FileOutput output(request.outputName, request.standardOutput);
    return RunConvertCommand(request, output);
}

ConvertOutcome RunConvertCommand(const ConvertRequest& request, ConvertOutput& output) {
    if (!request.selection.IsValid() && !request.selectionFromLog) return Failure({FaultKind::NoSelection});
    LogInput input;
    if (auto fault = OpenInput(request, input)) return Failure(std::move(*fault));
    ConvertOutcome outcome = RunOpened(request, input, output);
    outcome.outputName = request.outputName;
    return outcome;
}

} // namespace shirl
