// One record per county of a QSO. Fields written are left out of the later
// records by clearing their names; the QSO's fields are not needed after.
#include "convert/copy_writer.h"

#include <algorithm>
#include <string>
#include <vector>

#include "adif/writer.h"
#include "base/text_util.h"
#include "convert/qso_time.h"

namespace shirl {
namespace {

std::string CountyLineMessage(std::string_view callsign, std::string_view from, std::string_view to) {
    std::string message = "Adding QSO for ";
    message.append(callsign).append(" on ").append(from).append("/").append(to);
    message += " county line.";
    return message;
}

std::string CountyLineMessage(std::string_view callsign, std::span<const QsoField> fields, std::size_t i) {
    return CountyLineMessage(callsign, i > 0 ? ValueOrEmpty(fields[i - 1]) : "", ValueOrEmpty(fields[i]));
}

// What the records of a QSO take from its fields, found in one look: the
// first CNTY, the last TIME_OFF and QSO_DATE_OFF with a value, and the own
// counties (MY_CNTY).
struct QsoShape {
    std::optional<std::size_t> firstCnty;
    const QsoField* timeOff = nullptr;
    const QsoField* dateOff = nullptr;
    const QsoField* firstOwn = nullptr;
    std::size_t ownCounties = 0;
    bool oneOwnCounty = false; // every MY_CNTY names one and the same county

    explicit QsoShape(std::span<const QsoField> fields) {
        bool sameOwn = true;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const QsoField& field = fields[i];
            if (field.name.empty()) continue;
            switch (field.kind) {
            case FieldKind::Cnty:
                if (!firstCnty) firstCnty = i;
                break;
            case FieldKind::TimeOff:
                if (field.value) timeOff = &field;
                break;
            case FieldKind::QsoDateOff:
                if (field.value) dateOff = &field;
                break;
            case FieldKind::MyCnty:
                ++ownCounties;
                if (!firstOwn) firstOwn = &field;
                sameOwn = sameOwn && field.value == firstOwn->value;
                break;
            default: break;
            }
        }
        oneOwnCounty = firstOwn != nullptr && sameOwn;
    }
};

// The input end of a QSO that starts at `start`: TIME_OFF on QSO_DATE_OFF,
// or on the start's day (the next day when that is before the start).
std::optional<std::int64_t> InputEnd(const QsoShape& shape, std::int64_t start) {
    const QsoField* timeOff = shape.timeOff;
    const std::optional<std::int64_t> seconds = timeOff ? ReadQsoTime(*timeOff->value) : std::nullopt;
    if (!seconds) return std::nullopt;
    if (const QsoField* dateOff = shape.dateOff) {
        const std::optional<std::int64_t> days = ReadQsoDate(*dateOff->value);
        if (!days) return std::nullopt;
        return *days * kSecondsPerDay + *seconds;
    }
    const std::int64_t end = DayOfMoment(start) * kSecondsPerDay + *seconds;
    return end < start ? end + kSecondsPerDay : end;
}

// The field of `kind` that the next record writes (the first one not yet
// written), or nullptr.
const QsoField* NextOfKind(std::span<const QsoField> fields, FieldKind kind) {
    for (const QsoField& field : fields)
        if (field.kind == kind && !field.name.empty()) return &field;
    return nullptr;
}

// Writes the records of a QSO. Each record takes the first CNTY not yet
// written, with the STATE made from it, and leaves the later ones for the
// next record; a record is one second later than the one before. The
// QSO's one own county goes into every record; several own counties are
// paired with the records as the CNTYs are. A STATE (MY_STATE) of the
// input gives way to the one made from the record's county, and the
// leading date and time to the input's fields they were read from.
class CopyWriter {
public:
    CopyWriter(const RecordOutput& out, std::span<QsoField> fields, const CopyRequest& request, RunCounters& counters,
               RunReport& report)
        : CopyWriter(out, fields, QsoShape(fields), request, counters, report) {}

    // The number of own counties that records are paired with (0: one
    // own county, or none, goes into every record).
    std::size_t PairedOwnCounties() const { return m_oneOwnCounty ? 0 : m_ownCounties; }

    void WriteRecord(std::size_t copy);

private:
    CopyWriter(const RecordOutput& out, std::span<QsoField> fields, const QsoShape& shape, const CopyRequest& request,
               RunCounters& counters, RunReport& report)
        : m_out(out), m_fields(fields), m_call(request.call), m_ownConverted(request.ownConverted),
          m_ownRemaining(request.ownConverted), m_oneOwnCounty(shape.oneOwnCounty), m_ownCounties(shape.ownCounties),
          m_usaca(request.usaca), m_timing(request.timing), m_utc(request.utc), m_firstCnty(shape.firstCnty),
          m_dateOffGiven(shape.dateOff != nullptr), m_counters(counters), m_report(report) {
        if (m_firstCnty) m_firstCntyName = fields[*m_firstCnty].name;
        if (m_timing.start) m_end = InputEnd(shape, *m_timing.start);
    }

    // A STATE or MY_STATE and what the record makes of it.
    struct StateSlot {
        explicit StateSlot(std::string_view fieldName) : name(fieldName) {}
        std::string_view name;
        std::optional<std::string_view> fromCounty; // the state of the record's county
        bool written = false;                       // the record holds one already
        bool noted = false;                         // the QSO's replacement was reported

        // A new record, which writes `county` (or no county).
        void Start(const QsoField* county) {
            fromCounty = county ? StateOfCountyValue(county->value) : std::nullopt;
            written = false;
        }
    };

    void Put(std::string_view name, std::optional<std::string_view> value) {
        m_column = WriteField(m_out.sink, name, value, m_column, m_out.lineEnd);
    }
    // A field read and left as it was is written as its input bytes, which
    // spares formatting its length again; a changed one counts its length
    // as its input did.
    void Put(const QsoField& field) {
        if (UnchangedSinceRead(field))
            m_column = WriteFieldText(m_out.sink, field.text, m_column, m_out.lineEnd);
        else if (field.characterCounted)
            m_column = WriteField(m_out.sink, field.name, field.value, m_column, m_out.lineEnd, LengthUnit::Characters);
        else
            Put(field.name, field.value);
    }
    void PutCounty(std::size_t i, StateSlot& state, bool keep);
    void PutInputState(const QsoField& field, StateSlot& state);
    void PutEnd(const QsoField& field, std::int64_t later);
    void PutWorkedCounty(std::size_t i, std::size_t copy);
    bool PutUsacaCounties(FieldKind kind, std::string_view name);

    const RecordOutput& m_out;
    std::span<QsoField> m_fields;
    std::string_view m_call;
    int m_ownConverted;
    int m_ownRemaining;
    bool m_oneOwnCounty;
    std::size_t m_ownCounties; // MY_CNTY fields
    bool m_usaca; // a county line is one record with USACA_COUNTIES
    const CopyTiming& m_timing;
    UtcFormatter& m_utc;
    std::optional<std::size_t> m_firstCnty; // the QSO's first CNTY, for own counties left over
    std::string_view m_firstCntyName;
    std::optional<std::int64_t> m_end; // the QSO's input end
    bool m_dateOffGiven = false;
    RunCounters& m_counters;
    RunReport& m_report;
    std::size_t m_column = 0;
    StateSlot m_state{"STATE"}, m_myState{"MY_STATE"};
};

// The county field, then the state made from it; a field not kept is left
// out of the later records.
void CopyWriter::PutCounty(std::size_t i, StateSlot& state, bool keep) {
    QsoField& field = m_fields[i];
    Put(field);
    if (const auto code = StateOfCountyValue(field.value)) {
        Put(state.name, *code);
        state.written = true;
    }
    if (!keep) field.name = {};
}

// An input STATE (MY_STATE) is left out where the record's county gives
// the state, which the report notes once per QSO when the two differ;
// otherwise the record's first one is written.
void CopyWriter::PutInputState(const QsoField& field, StateSlot& state) {
    if (!state.fromCounty) {
        if (!state.written) Put(field);
        state.written = true;
        return;
    }
    const std::string_view value = ValueOrEmpty(field);
    if (state.noted || value.empty() || EqualsNoCase(value, *state.fromCounty)) return;
    state.noted = true;
    std::string message(m_call);
    message.append(": ").append(state.name).append(" ").append(value);
    message.append(" replaced by ").append(*state.fromCounty).append(" from its county.");
    m_report.progress.Info(std::move(message));
}

// An input QSO_DATE_OFF or TIME_OFF of a record `later` seconds after its
// input start: moved as far when the input end would stand before the start.
void CopyWriter::PutEnd(const QsoField& field, std::int64_t later) {
    if (!m_end || !m_timing.start || later == 0 || *m_end >= *m_timing.start + later) {
        Put(field);
        return;
    }
    const UtcText before = FormatUtc(*m_end), moved = FormatUtc(*m_end + later);
    if (field.kind == FieldKind::QsoDateOff) {
        Put(field.name, moved.Date());
        return;
    }
    if (!m_dateOffGiven && moved.Date() != before.Date()) Put("QSO_DATE_OFF", moved.Date());
    Put(field.name, moved.Time());
}

// The record's CNTY; a record after the first of its contact is a
// county-line copy, named by the counties it stands between.
void CopyWriter::PutWorkedCounty(std::size_t i, std::size_t copy) {
    const QsoField& field = m_fields[i];
    if (copy == 0 && m_timing.offset > 0)
        m_report.progress.Info(CountyLineMessage(m_call, m_timing.splitFrom, ValueOrEmpty(field)));
    else if (copy > 0 && (!m_firstCnty || i != *m_firstCnty))
        m_report.progress.Info(CountyLineMessage(m_call, m_fields, i));
    if (field.value) m_counters.counties.Add(*field.value);
    PutCounty(i, m_state, false);
}

// With the one-record form: after the record's first county of `kind`,
// the field `name` listing every county of that kind (of the form
// "ST,Name", each once, colon-separated) when there are two or more; they
// count as worked. Returns whether it was written.
bool CopyWriter::PutUsacaCounties(FieldKind kind, std::string_view name) {
    std::vector<std::string_view> counties;
    for (const QsoField& field : m_fields)
        if (field.kind == kind && !field.name.empty() && StateOfCountyValue(field.value) &&
            std::find(counties.begin(), counties.end(), *field.value) == counties.end())
            counties.push_back(*field.value);
    if (counties.size() < 2) return false;
    std::string joined;
    for (const std::string_view county : counties) {
        joined.append(joined.empty() ? "" : ":").append(county);
        if (kind == FieldKind::Cnty && county != counties.front()) m_counters.counties.Add(county);
    }
    Put(name, joined);
    return true;
}

void CopyWriter::WriteRecord(std::size_t copy) {
    m_column = 0;
    bool cntyWritten = false, myCntyWritten = false;
    // An own county left over takes the QSO's first CNTY again.
    const QsoField* county = copy == 0 && m_firstCnty ? &m_fields[*m_firstCnty] : NextOfKind(m_fields, FieldKind::Cnty);
    if (m_firstCnty && !county) {
        m_fields[*m_firstCnty].name = m_firstCntyName;
        county = &m_fields[*m_firstCnty];
    }
    m_state.Start(county);
    m_myState.Start(NextOfKind(m_fields, FieldKind::MyCnty));
    const std::int64_t later = m_timing.offset + static_cast<std::int64_t>(copy);
    const std::optional<std::int64_t> time = m_timing.start;
    if (time) {
        const UtcText text = m_utc.Format(*time + later);
        Put("QSO_DATE", text.Date());
        Put("TIME_ON", text.Time());
    }
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const QsoField& field = m_fields[i];
        if (field.name.empty()) continue;
        switch (field.kind) {
        case FieldKind::QsoDate:
        case FieldKind::TimeOn:
            if (!time || !field.timeSource) Put(field);
            break;
        case FieldKind::QsoDateOff:
        case FieldKind::TimeOff: PutEnd(field, later); break;
        case FieldKind::State:
            // An independent city counts as the place worked where no county gives the state.
            if (!m_state.fromCounty && !m_state.written && !field.city.empty()) m_counters.counties.Add(field.city);
            PutInputState(field, m_state);
            break;
        case FieldKind::MyState: PutInputState(field, m_myState); break;
        case FieldKind::Cnty:
            if (cntyWritten) break; // waits for a later record
            cntyWritten = true;
            if (m_usaca) {
                if (field.value) m_counters.counties.Add(*field.value);
                PutCounty(i, m_state, true);
                PutUsacaCounties(FieldKind::Cnty, "USACA_COUNTIES");
                break;
            }
            PutWorkedCounty(i, copy);
            break;
        case FieldKind::MyCnty:
            if (myCntyWritten) break;
            myCntyWritten = true;
            if (m_usaca && !m_oneOwnCounty) {
                PutCounty(i, m_myState, true);
                PutUsacaCounties(FieldKind::MyCnty, "MY_USACA_COUNTIES");
                break;
            }
            if (!m_oneOwnCounty && m_ownConverted > 1 && m_ownRemaining != m_ownConverted)
                m_report.progress.Info(CountyLineMessage(m_call, m_fields, i));
            --m_ownRemaining;
            PutCounty(i, m_myState, m_oneOwnCounty);
            break;
        default: Put(field); break;
        }
    }
    m_out.sink.Write(m_out.lineEnd);
    m_out.sink.Write(m_out.lineEnd);
    ++m_counters.qsosWritten;
    if (later > 0) ++m_counters.countyLineCopies;
}

} // namespace

std::optional<std::string_view> StateOfCountyValue(std::optional<std::string_view> value) {
    if (!value || value->size() < 3) return std::nullopt;
    const std::string_view v = *value;
    if (!IsAsciiUpper(v[0]) || !IsAsciiUpper(v[1]) || v[2] != ',') return std::nullopt;
    return v.substr(0, 2);
}

std::size_t WriteCopies(const RecordOutput& out, std::span<QsoField> fields, const CopyRequest& request,
                        RunCounters& counters, RunReport& report) {
    CopyWriter writer(out, fields, request, counters, report);
    const std::size_t copies = request.usaca ? 1 : std::max({request.distinct, writer.PairedOwnCounties(), std::size_t{1}});
    for (std::size_t copy = 0; copy < copies; ++copy) writer.WriteRecord(copy);
    return copies;
}

} // namespace shirl
