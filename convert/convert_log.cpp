#include "convert/convert_log.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "adif/reader.h"
#include "convert/contest_id_scan.h"
#include "convert/convert_qso.h"
#include "convert/qso_time.h"

namespace shirl {
namespace {

class LogConverter {
public:
    LogConverter(ByteSink& output, const QsoOptions& options, RunReport& report)
        : m_output(output), m_options(options), m_report(report) {}

    ConvertLogResult Run(ByteSource& input, std::optional<std::string_view> outputName);

private:
    void TakeField(const AdifReader& reader);
    std::string_view CallRead() const;
    void MarkTimeSource(std::optional<std::size_t>& slot);
    void CompleteQso(std::string_view lineEnd);
    void ReportCarriedTime(std::string_view call, std::int64_t time, bool dateRead, bool timeRead);
    void WriteSummary(std::optional<std::string_view> outputName);
    void WriteLeftOut();

    ByteSink& m_output;
    QsoOptions m_options;
    RunReport& m_report;
    // The fields of the QSO being read are m_slots[0, m_used); the slots
    // after them keep the storage of earlier QSOs for reuse.
    std::vector<QsoField> m_slots;
    std::size_t m_used = 0;
    // The name each slot had last and its kind.
    struct SlotName {
        std::string name;
        FieldKind kind = FieldKind::Other;
    };
    std::vector<SlotName> m_slotNames;
    QsoClock m_clock;
    // The slots of the QSO_DATE and TIME_ON that the QSO's date and time
    // were read from (the last readable one of each in the QSO).
    std::optional<std::size_t> m_dateSlot, m_timeSlot;
    RunCounters m_counters;
    int m_countiesConverted = 0;
    AdifEvidence m_evidence;
    std::size_t m_recordLine = 0;            // the input line of the open record's first field
    std::vector<std::size_t> m_leftOutLines; // of the first QSOs left out
    std::vector<std::string> m_contestIds;
};

// QSOs left out are named by their lines up to this many.
constexpr std::size_t kLeftOutLinesShown = 10;

ConvertLogResult LogConverter::Run(ByteSource& input, std::optional<std::string_view> outputName) {
    AdifReader reader(input);
    for (;;) {
        const AdifReader::Event event = reader.Next();
        m_evidence.See(reader, event);
        switch (event) {
        case AdifReader::Event::HeaderBytes: m_output.Write(reader.Bytes()); continue;
        case AdifReader::Event::EndOfHeader: m_output.Write(reader.LineEnd()); continue;
        case AdifReader::Event::Field:
        case AdifReader::Event::EndOfRecord:
            if (m_used == 0) m_recordLine = reader.Line();
            // One call site, so that the compiler can inline the field's step.
            TakeField(reader);
            if (event == AdifReader::Event::EndOfRecord) CompleteQso(reader.LineEnd());
            continue;
        case AdifReader::Event::Malformed:
        case AdifReader::Event::TooManyFields:
            m_report.inputProblems.Unlabelled(MessageKind::Warning, reader.DroppedText(CallRead()));
            m_used = 0;
            continue;
        case AdifReader::Event::BadLength:
            m_report.inputProblems.Unlabelled(MessageKind::Warning, std::string(reader.Text()));
            continue;
        case AdifReader::Event::End: break;
        }
        break;
    }
    if (m_used != 0) m_report.inputProblems.Unlabelled(MessageKind::Warning, "QSO without <EOR> at end of file, skipping");
    if (reader.Failed()) m_report.inputProblems.Error("Could not read the whole input file.");
    WriteSummary(outputName);
    return {m_countiesConverted, m_counters.qsosWritten, m_counters.countyLineCopies, m_counters.counties.Counts(),
            m_counters.qsosLeftOut, m_evidence.IsLog(m_counters.qsosWritten != 0), std::move(m_contestIds),
            reader.CharacterCountedValues(), m_counters.counties.OtherValues()};
}

// The value of the last CALL read of the open record, or empty.
std::string_view LogConverter::CallRead() const {
    for (std::size_t i = m_used; i-- > 0;)
        if (m_slots[i].kind == FieldKind::Call && m_slots[i].value) return *m_slots[i].value;
    return {};
}

// Takes the field's views into the next slot (the reader keeps a record's
// bytes until it ends). The kind of the name the slot had in the last QSO
// is kept when the name is the same, so that a name is mostly classified
// once per run and column of the log.
void LogConverter::TakeField(const AdifReader& reader) {
    if (m_used == 0) m_dateSlot = m_timeSlot = std::nullopt;
    if (m_used == m_slots.size()) {
        m_slots.emplace_back();
        m_slotNames.emplace_back();
    }
    QsoField& field = m_slots[m_used];
    SlotName& last = m_slotNames[m_used++];
    const std::string_view name = reader.Name();
    if (last.name.size() != name.size() || std::memcmp(last.name.data(), name.data(), name.size()) != 0) {
        last.name.assign(name);
        last.kind = ClassifyFieldName(name);
    }
    field.name = name;
    field.kind = last.kind;
    field.madeCnty = false;
    field.city = {};
    field.timeSource = false;
    field.value = reader.Value();
    field.text = reader.FieldText();
    field.characterCounted = reader.CharacterCounted();
    if (!field.value) return;
    if (field.kind == FieldKind::QsoDate && m_clock.TakeDate(*field.value, m_report)) MarkTimeSource(m_dateSlot);
    if (field.kind == FieldKind::TimeOn && m_clock.TakeTime(*field.value, m_report)) MarkTimeSource(m_timeSlot);
    if (field.kind == FieldKind::ContestId) CollectContestId(*field.value, m_contestIds);
}

// The field just taken replaces the one `slot` named as the source of the
// QSO's date or time.
void LogConverter::MarkTimeSource(std::optional<std::size_t>& slot) {
    if (slot) m_slots[*slot].timeSource = false;
    slot = m_used - 1;
    m_slots[*slot].timeSource = true;
}

void LogConverter::CompleteQso(std::string_view lineEnd) {
    const std::int64_t leftOut = m_counters.qsosLeftOut, written = m_counters.qsosWritten;
    const std::optional<std::int64_t> time = m_clock.Complete();
    const bool dateRead = m_dateSlot.has_value(), timeRead = m_timeSlot.has_value();
    const std::string call(CallRead());
    m_countiesConverted += ConvertQso(RecordOutput{m_output, lineEnd}, m_options,
                                      std::span<QsoField>(m_slots.data(), m_used), time, m_counters, m_report);
    if (time && (!dateRead || !timeRead) && m_counters.qsosWritten != written) ReportCarriedTime(call, *time, dateRead, timeRead);
    m_used = 0;
    if (m_counters.qsosLeftOut != leftOut && m_leftOutLines.size() < kLeftOutLinesShown)
        m_leftOutLines.push_back(m_recordLine);
}

// A contact without a readable date or time of its own was written with
// those the run carried from the contacts before it.
void LogConverter::ReportCarriedTime(std::string_view call, std::int64_t time, bool dateRead, bool timeRead) {
    const UtcText text = FormatUtc(time);
    std::string row = "QSO";
    if (!call.empty()) row.append(" with ").append(call);
    row.append(" in line ").append(std::to_string(m_recordLine)).append(" has no readable ");
    row.append(dateRead ? "TIME_ON" : timeRead ? "QSO_DATE" : "QSO_DATE or TIME_ON").append("; written at ").append(text.Date()).append(" ");
    row.append(text.Time()).append(".");
    m_report.inputProblems.Unlabelled(MessageKind::Warning, std::move(row));
}

void LogConverter::WriteSummary(std::optional<std::string_view> outputName) {
    // A blank row sets the summary apart from the county-line rows above it.
    std::string converted = "Converted " + std::to_string(m_countiesConverted) + " ";
    converted.append(m_options.selection.Name()).append(" counties.");
    m_report.progress.Summary(std::move(converted), m_counters.countyLineCopies != 0);
    std::string wrote = "Wrote " + std::to_string(m_counters.qsosWritten) + " QSOs";
    if (outputName) wrote.append(" to ").append(*outputName);
    m_report.progress.Summary(std::move(wrote));
    WriteLeftOut();
}

// "2 contacts without a call, a mode or a band were not written.", with
// their input lines when there are no more than kLeftOutLinesShown.
void LogConverter::WriteLeftOut() {
    const std::int64_t n = m_counters.qsosLeftOut;
    if (n == 0) return;
    std::string row = std::to_string(n);
    row.append(n == 1 ? " contact" : " contacts").append(" without a call, a mode or a band ");
    row.append(n == 1 ? "was" : "were").append(" not written.");
    if (static_cast<std::size_t>(n) <= kLeftOutLinesShown) {
        row.append(n == 1 ? " Input line: " : " Input lines: ");
        for (std::size_t i = 0; i < m_leftOutLines.size(); ++i)
            row.append(i == 0 ? "" : ", ").append(std::to_string(m_leftOutLines[i]));
        row.append(".");
    }
    m_report.progress.Info(std::move(row));
}

} // namespace

ConvertLogResult ConvertLogDetailed(ByteSource& input, ByteSink& output, Selection selection, bool addMobile,
                                    std::optional<std::string_view> outputName, RunReport& report,
                                    const AbbrevList* list) {
    // The run's own rows start after those of its preparation; the first of
    // them counts the values read by characters, known only at the end.
    const std::size_t firstRow = report.progress.size();
    LogConverter converter(output, QsoOptions{selection, addMobile, list}, report);
    const ConvertLogResult result = converter.Run(input, outputName);
    if (result.characterCountedValues != 0)
        report.progress.Insert(firstRow, {.kind = MessageKind::Info, .text = std::to_string(result.characterCountedValues) +
                                                              " values in this log give their length in characters, "
                                                              "not bytes; they were read whole."});
    return result;
}

int ConvertLog(ByteSource& input, ByteSink& output, Selection selection, bool addMobile,
               std::optional<std::string_view> outputName, RunReport& report, const AbbrevList* list) {
    return ConvertLogDetailed(input, output, selection, addMobile, outputName, report, list).countiesConverted;
}

} // namespace shirl
