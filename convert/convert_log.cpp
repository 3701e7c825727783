#include "convert/convert_log.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "adif/reader.h"
#include "base/text_util.h"
#include "convert/contest_id_scan.h"
#include "convert/convert_qso.h"
#include "convert/qso_time.h"

namespace shirl {
namespace {

// The kind of a field's name by its place in the record: the kind of the
// name the place had in the last record is kept when the name is the same,
// so that a name is mostly classified once per run and column of the log.
class SlotKinds {
public:
    std::size_t size() const { return m_names.size(); }
    void Add() { m_names.emplace_back(); }
    // The kind at `index` (less than size()).
    [[gnu::always_inline]] FieldKind KindAt(std::size_t index, std::string_view name) {
        SlotName& last = m_names[index];
        if (last.name.size() != name.size() || !SameBytes(last.name.data(), name.data(), name.size())) {
            last.name.assign(name);
            last.kind = ClassifyFieldName(name);
        }
        return last.kind;
    }

private:
    struct SlotName {
        std::string name;
        FieldKind kind = FieldKind::Other;
    };
    std::vector<SlotName> m_names;
};

class LogConverter {
public:
    LogConverter(ByteSink& output, const QsoOptions& options, RunReport& report)
        : m_output(&output), m_options(options), m_report(report) {
        m_options.answers = &m_answers;
        m_options.scratch = &m_scratch;
    }
    LogConverter(const LogConverter&) = delete; // its options point at its own memories
    LogConverter& operator=(const LogConverter&) = delete;

    ConvertLogResult Run(ByteSource& input, std::optional<std::string_view> outputName);

private:
    void TakeEvents(AdifReader& events);
    void TakeField(const AdifReader& reader);
    std::string_view CallRead() const;
    void MarkTimeSource(std::optional<std::size_t>& slot);
    void CompleteQso(std::string_view lineEnd);
    void FlushClockRows();
    void ReportCarriedTime(std::string_view call, std::int64_t time, bool dateRead, bool timeRead);
    void WriteSummary(std::optional<std::string_view> outputName);
    void WriteLeftOut();

    ByteSink* m_output;
    QsoOptions m_options;
    AnswerMemo m_answers;
    QsoScratch m_scratch;
    RunReport& m_report;
    // The fields of the QSO being read are m_slots[0, m_used); the slots
    // after them keep the storage of earlier QSOs for reuse.
    std::vector<QsoField> m_slots;
    std::size_t m_used = 0;
    SlotKinds m_kinds;
    QsoClock m_clock;
    RunReport m_clockRows; // the clock's rows of the open record, named once its call is known
    bool m_linesAreTheFile = true; // the reader's line numbers are the user's file's
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
    m_linesAreTheFile = input.LinesAreTheFile();
    TakeEvents(reader);
    if (reader.Failed()) m_report.inputProblems.Error("Could not read the whole input file.");
    WriteSummary(outputName);
    return {m_countiesConverted, m_counters.qsosWritten, m_counters.countyLineCopies, m_counters.counties.Counts(),
            m_counters.qsosLeftOut, m_evidence.IsLog(m_counters.qsosWritten != 0), std::move(m_contestIds),
            reader.CharacterCountedValues(), m_counters.counties.OtherValues()};
}

// Takes the events of `events` to the end of the input.
void LogConverter::TakeEvents(AdifReader& events) {
    for (;;) {
        const AdifReader::Event event = events.Next();
        m_evidence.See(events, event);
        switch (event) {
        case AdifReader::Event::HeaderBytes: m_output->Write(events.Bytes()); continue;
        case AdifReader::Event::EndOfHeader: m_output->Write(events.LineEnd()); continue;
        case AdifReader::Event::Field:
        case AdifReader::Event::EndOfRecord:
            if (m_used == 0) m_recordLine = events.RecordLine();
            // One call site, so that the compiler can inline the field's step.
            TakeField(events);
            if (event == AdifReader::Event::EndOfRecord) CompleteQso(events.LineEnd());
            continue;
        case AdifReader::Event::Malformed:
        case AdifReader::Event::TooManyFields:
            FlushClockRows();
            m_report.inputProblems.Unlabelled(MessageKind::Warning, events.DroppedText(CallRead()));
            m_used = 0;
            continue;
        case AdifReader::Event::BadLength:
            m_report.inputProblems.Unlabelled(MessageKind::Warning, std::string(events.Text()));
            continue;
        case AdifReader::Event::End: break;
        }
        break;
    }
    FlushClockRows();
    if (m_used != 0) m_report.inputProblems.Unlabelled(MessageKind::Warning, "QSO without <EOR> at end of file, skipping");
}

// The value of the last CALL read of the open record, or empty.
std::string_view LogConverter::CallRead() const {
    for (std::size_t i = m_used; i-- > 0;)
        if (m_slots[i].kind == FieldKind::Call && m_slots[i].value) return *m_slots[i].value;
    return {};
}

// Takes the field's views into the next slot (the reader keeps a record's
// bytes until it ends).
void LogConverter::TakeField(const AdifReader& reader) {
    if (m_used == 0) {
        // Each on its own: `a = b = nullopt` stores b's flag and copies b
        // whole at once, which waits for that store (once a record).
        m_dateSlot.reset();
        m_timeSlot.reset();
    }
    if (m_used == m_slots.size()) {
        m_slots.emplace_back();
        m_kinds.Add();
    }
    QsoField& field = m_slots[m_used];
    const std::string_view name = reader.Name();
    field.kind = m_kinds.KindAt(m_used, name);
    ++m_used;
    field.name = name;
    field.madeCnty = false;
    field.city = {};
    field.timeSource = false;
    field.value = reader.Value();
    field.text = reader.FieldText();
    field.characterCounted = reader.CharacterCounted();
    if (!field.value) return;
    if (field.kind == FieldKind::QsoDate && m_clock.TakeDate(*field.value, m_clockRows)) MarkTimeSource(m_dateSlot);
    if (field.kind == FieldKind::TimeOn && m_clock.TakeTime(*field.value, m_clockRows)) MarkTimeSource(m_timeSlot);
    if (field.kind == FieldKind::ContestId) CollectContestId(*field.value, m_contestIds);
}

// The field just taken replaces the one `slot` named as the source of the
// QSO's date or time.
void LogConverter::MarkTimeSource(std::optional<std::size_t>& slot) {
    if (slot) m_slots[*slot].timeSource = false;
    slot = m_used - 1;
    m_slots[*slot].timeSource = true;
}

// Moves the rows about the open record's date and time to the report, each
// naming the record's call and first input line: "(K1AB, input line 7)",
// "(no call, input line 7)"; only the call ("(K1AB)") when the log was made
// from a file of another format, whose lines these are not.
void LogConverter::FlushClockRows() {
    if (m_clockRows.inputProblems.empty()) return;
    std::string_view call = "no call";
    for (std::size_t i = 0; i < m_used; ++i)
        if (m_slots[i].kind == FieldKind::Call && m_slots[i].value && !m_slots[i].value->empty())
            call = *m_slots[i].value;
    std::string where = " (" + std::string(call);
    if (m_linesAreTheFile) where.append(", input line ").append(std::to_string(m_recordLine));
    where.append(")");
    for (ReportMessage message : m_clockRows.inputProblems.OldestFirst()) {
        message.text += where;
        m_report.inputProblems.Push(std::move(message));
    }
    m_clockRows.inputProblems = MessageList();
}

void LogConverter::CompleteQso(std::string_view lineEnd) {
    FlushClockRows();
    const std::int64_t leftOut = m_counters.qsosLeftOut, written = m_counters.qsosWritten;
    const std::optional<std::int64_t> time = m_clock.Complete();
    const bool dateRead = m_dateSlot.has_value(), timeRead = m_timeSlot.has_value();
    const bool carried = time && (!dateRead || !timeRead);
    // The call as read (the conversion may change its field's value, not the bytes read).
    const std::string_view call = carried ? CallRead() : std::string_view();
    m_countiesConverted += ConvertQso(RecordOutput{*m_output, lineEnd}, m_options,
                                      std::span<QsoField>(m_slots.data(), m_used), time, m_counters, m_report);
    if (carried && m_counters.qsosWritten != written) ReportCarriedTime(call, *time, dateRead, timeRead);
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

// "N values in this log give their length in characters, ...", in the singular for one.
std::string CharacterCountedText(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " value in this log gives its" : " values in this log give their") +
           " length in characters, not bytes; " + (n == 1 ? "it was" : "they were") + " read whole.";
}

} // namespace

ConvertLogResult ConvertLogDetailed(ByteSource& input, ByteSink& output, Selection selection, bool addMobile,
                                    std::optional<std::string_view> outputName, RunReport& report,
                                    const AbbrevList* list, CountyLines countyLines) {
    // The run's own rows start after those of its preparation; the first of
    // them counts the values read by characters, known only at the end.
    const std::size_t firstRow = report.progress.size();
    LogConverter converter(output, QsoOptions{selection, addMobile, list, countyLines}, report);
    const ConvertLogResult result = converter.Run(input, outputName);
    if (result.characterCountedValues != 0)
        report.progress.Insert(firstRow,
                               {.kind = MessageKind::Info, .text = CharacterCountedText(result.characterCountedValues)});
    return result;
}

int ConvertLog(ByteSource& input, ByteSink& output, Selection selection, bool addMobile,
               std::optional<std::string_view> outputName, RunReport& report, const AbbrevList* list) {
    return ConvertLogDetailed(input, output, selection, addMobile, outputName, report, list).countiesConverted;
}

} // namespace shirl
