#include "app/service/award_command.h"

#include "app/service/log_input.h"
#include "award/award_map.h"
#include "award/award_report.h"
#include "files/whole_file.h"

namespace shirl {
namespace {

void AddReadCounts(std::vector<std::string>& lines, const std::string& name, const LogbookCounts& counts) {
    lines.insert(lines.begin(), "Read " + name + ": " + std::to_string(counts.records) + " records.");
    if (counts.damaged > 0)
        lines.insert(lines.begin() + 1, "Damaged records left out: " + std::to_string(counts.damaged) + ".");
}

} // namespace

AwardOutcome RunAwardCommand(const AwardRequest& request) {
    AwardOutcome outcome;
    LogInput input;
    if (!input.Open(request.logbookName)) {
        outcome.fault = Fault{FaultKind::CannotOpenInput};
        return outcome;
    }
    if (input.Kind() == LogKind::NotALog || input.Kind() == LogKind::Utf16) {
        outcome.fault = Fault{input.Kind() == LogKind::Utf16 ? FaultKind::Utf16Log : FaultKind::NotALog, request.logbookName};
        return outcome;
    }
    AwardTally tally(request.options);
    const LogbookCounts counts = ReadAwardQsos(input.Adif(), [&tally](const AwardQso& qso) { tally.Add(qso); });
    if (counts.failed || input.Failed()) {
        outcome.fault = Fault{FaultKind::CannotReadInput};
        return outcome;
    }
    outcome.lines = AwardReportLines(tally);
    AddReadCounts(outcome.lines, request.logbookName, counts);
    const auto write = [&outcome](const std::string& name, const std::string& bytes, FaultKind kind) {
        if (name.empty() || outcome.fault) return;
        if (!WriteWholeFile(name, bytes)) outcome.fault = Fault{kind, name};
    };
    write(request.neededName, NeededCsv(tally, request.neededConfirmed), FaultKind::CannotWriteOutput);
    write(request.csvName, CountiesCsv(tally), FaultKind::CannotWriteOutput);
    write(request.mapName, RenderAwardMap(tally), FaultKind::MapUnwritable);
    return outcome;
}

} // namespace shirl
