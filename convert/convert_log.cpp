#include "convert/convert_log.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "adif/reader.h"
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
    void MarkTimeSource(std::optional<std::size_t>& slot);
    void CompleteQso(std::string_view lineEnd);
    void WriteSummary(std::optional<std::string_view> outputName);

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
};

ConvertLogResult LogConverter::Run(ByteSource& input, std::optional<std::string_view> outputName) {
    AdifReader reader(input);
    for (;;) {
        const AdifReader::Event event = reader.Next();
        switch (event) {
        case AdifReader::Event::HeaderBytes: m_output.Write(reader.Bytes()); continue;
        case AdifReader::Event::EndOfHeader: m_output.Write(reader.LineEnd()); continue;
        case AdifReader::Event::Field:
        case AdifReader::Event::EndOfRecord:
            // One call site, so that the compiler can inline the field's step.
            TakeField(reader);
            if (event == AdifReader::Event::EndOfRecord) CompleteQso(reader.LineEnd());
            continue;
        case AdifReader::Event::Malformed:
        case AdifReader::Event::TooManyFields:
            m_report.third.Unlabelled(MessageKind::Warning, std::string(reader.Text()));
            m_used = 0;
            continue;
        case AdifReader::Event::End: break;
        }
        break;
    }
    if (m_used != 0) m_report.third.Unlabelled(MessageKind::Warning, "QSO without <EOR> at end of file, skipping");
    if (reader.Failed()) m_report.third.Error("Could not read the whole input file.");
    WriteSummary(outputName);
    return {m_countiesConverted, m_counters.qsosWritten, m_counters.countyLineCopies, m_counters.counties.Counts()};
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
    field.timeSource = false;
    field.value = reader.Value();
    field.text = reader.FieldText();
    if (!field.value) return;
    if (field.kind == FieldKind::QsoDate && m_clock.TakeDate(*field.value, m_report)) MarkTimeSource(m_dateSlot);
    if (field.kind == FieldKind::TimeOn && m_clock.TakeTime(*field.value, m_report)) MarkTimeSource(m_timeSlot);
}

// The field just taken replaces the one `slot` named as the source of the
// QSO's date or time.
void LogConverter::MarkTimeSource(std::optional<std::size_t>& slot) {
    if (slot) m_slots[*slot].timeSource = false;
    slot = m_used - 1;
    m_slots[*slot].timeSource = true;
}

void LogConverter::CompleteQso(std::string_view lineEnd) {
    m_countiesConverted += ConvertQso(RecordOutput{m_output, lineEnd}, m_options,
                                      std::span<QsoField>(m_slots.data(), m_used), m_clock.Complete(),
                                      m_counters, m_report);
    m_used = 0;
}

void LogConverter::WriteSummary(std::optional<std::string_view> outputName) {
    // A blank row sets the summary apart from the county-line rows above it.
    std::string converted = "Converted " + std::to_string(m_countiesConverted) + " ";
    converted.append(m_options.selection.Name()).append(" counties.");
    m_report.first.Summary(std::move(converted), m_counters.countyLineCopies != 0);
    std::string wrote = "Wrote " + std::to_string(m_counters.qsosWritten) + " QSOs";
    if (outputName) wrote.append(" to ").append(*outputName);
    m_report.first.Summary(std::move(wrote));
}

} // namespace

ConvertLogResult ConvertLogDetailed(ByteSource& input, ByteSink& output, Selection selection, bool addMobile,
                                    std::optional<std::string_view> outputName, RunReport& report,
                                    const AbbrevList* list) {
    LogConverter converter(output, QsoOptions{selection, addMobile, list}, report);
    return converter.Run(input, outputName);
}

int ConvertLog(ByteSource& input, ByteSink& output, Selection selection, bool addMobile,
               std::optional<std::string_view> outputName, RunReport& report, const AbbrevList* list) {
    return ConvertLogDetailed(input, output, selection, addMobile, outputName, report, list).countiesConverted;
}

} // namespace shirl
