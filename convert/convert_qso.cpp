// One QSO in four steps: the first pass cleans fields up and resolves the
// county fields; a QSO without callsign, band or frequency, or mode stops
// there; duplicate CNTY fields are left out; and one record is written per
// distinct CNTY.
#include "convert/convert_qso.h"

#include <algorithm>
#include <string>
#include <vector>

#include "adif/writer.h"
#include "base/text_util.h"
#include "convert/county_line_value.h"
#include "convert/exchange_county.h"
#include "convert/qso_time.h"
#include "convert/resolve.h"

namespace shirl {
namespace {

// An answer a county-line part got when its value was split: applied as it
// is when the callsign it was asked with is still the QSO's.
struct KnownAnswer {
    std::size_t index = 0; // the part's field
    std::optional<std::string_view> call;
    CountyAnswer answer;
};

// The fields that ExpandFields added: the counties of SRX_STRING's word in
// [first, last), STX_STRING's word at `sent`, and the answers of the
// county-line parts.
struct AddedFields {
    std::size_t first = 0, last = 0;
    std::optional<std::size_t> sent;
    std::vector<KnownAnswer> answers;
};

// What the first pass found out about the QSO.
struct FirstPassResult {
    std::optional<std::size_t> callIndex;
    bool band = false, freq = false, freqRx = false, mode = false;
    int converted = 0;    // county fields that became CNTY
    int ownConverted = 0; // own-county fields that became MY_CNTY
};

bool Contains(std::optional<std::string_view> value, char c) {
    return value && value->find(c) != std::string_view::npos;
}

bool IsCountyField(FieldKind kind) {
    return kind == FieldKind::County || kind == FieldKind::Cnty || kind == FieldKind::Srx;
}

std::optional<std::string_view> Callsign(std::span<const QsoField> fields, const FirstPassResult& qso) {
    if (!qso.callIndex) return std::nullopt;
    return fields[*qso.callIndex].value;
}

// The question about a county field's value: the CALL read before the field
// names the station.
CountyQuestion QuestionFor(const QsoField& field, const QsoOptions& options, std::optional<std::string_view> call) {
    return CountyQuestion{options.selection, options.list, call, std::nullopt, field.kind, field.name};
}

// An all-digit COMMENT is a serial number (SRX); trailing blanks go.
void CleanComment(QsoField& field) {
    if (!field.value) return;
    const std::string_view v = *field.value;
    if (std::all_of(v.begin(), v.end(), IsAsciiDigit)) RenameField(field, "SRX", FieldKind::Srx);
    const std::size_t keep = v.find_last_not_of(' ');
    const std::size_t size = keep == std::string_view::npos ? 0 : keep + 1;
    if (size != v.size()) SetValueView(field, v.substr(0, size));
}

// A callsign that carries this county as its suffix (N0CALL/AUT) loses it,
// and gets "/M" when the run adds it.
void DropCountySuffix(std::span<QsoField> fields, const FirstPassResult& qso, std::string_view county,
                      bool addMobile, RunReport& report) {
    const auto call = Callsign(fields, qso);
    if (!call) return;
    const std::size_t slash = call->find('/');
    if (slash == std::string_view::npos || call->substr(slash + 1) != county) return;
    std::string changed(call->substr(0, slash));
    if (addMobile) changed += "/M";
    report.progress.Info("Changed callsign " + std::string(*call) + " to " + changed);
    SetValue(fields[*qso.callIndex], changed);
}

// Upper-cases the value (a copy only when it has a lower-case letter).
void ToUpperCase(QsoField& field) {
    const std::string_view v = *field.value;
    if (std::none_of(v.begin(), v.end(), [](char c) { return c >= 'a' && c <= 'z'; })) return;
    std::string& upper = field.storage;
    if (upper.data() != v.data()) upper.assign(v);
    upper.resize(v.size());
    for (char& c : upper) c = ToAsciiUpper(c);
    SetValueView(field, upper);
}

// One field of the worked station's county: upper case, the callsign's
// suffix, then the resolution.
void ConvertCountyField(std::span<QsoField> fields, std::size_t i, const QsoOptions& options,
                        const AddedFields& added, FirstPassResult& qso, RunReport& report) {
    QsoField& field = fields[i];
    if (!field.value) return;
    if (field.kind == FieldKind::Srx && ReadDecimal(*field.value) != 0) return; // a serial number
    if (!Contains(field.value, ',')) ToUpperCase(field);
    DropCountySuffix(fields, qso, *field.value, options.addMobile, report);
    const auto call = Callsign(fields, qso);
    const auto known = std::find_if(added.answers.begin(), added.answers.end(),
                                    [i](const KnownAnswer& a) { return a.index == i; });
    const int result = known != added.answers.end() && known->call == call
                           ? ApplyCountyAnswer(field, known->answer, report)
                           : ResolveCountyField(field, QuestionFor(field, options, call), report);
    qso.converted += result;
    field.madeCnty = result == 1;
}

// Names, clean-up and county resolution, in field order (a county field sees
// the CALL read before it).
FirstPassResult FirstPass(std::span<QsoField> fields, const QsoOptions& options, const AddedFields& added,
                          RunReport& report) {
    FirstPassResult qso;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        QsoField& field = fields[i];
        if (field.name.empty()) continue;
        switch (field.kind) {
        case FieldKind::AliasRst: RenameField(field, "RST_RCVD", FieldKind::Other); break;
        case FieldKind::AliasSnt: RenameField(field, "RST_SENT", FieldKind::Other); break;
        case FieldKind::Call: qso.callIndex = i; break;
        case FieldKind::Band: qso.band = field.value.has_value(); break;
        case FieldKind::Freq: qso.freq = field.value.has_value(); break;
        case FieldKind::FreqRx: qso.freqRx = field.value.has_value(); break;
        case FieldKind::Mode: qso.mode = field.value.has_value(); break;
        case FieldKind::Comment: CleanComment(field); break;
        case FieldKind::SentExchange: // of one word (ConvertQso leaves it so)
        case FieldKind::MyCounty:
            qso.ownConverted += ResolveCountyField(field, QuestionFor(field, options, Callsign(fields, qso)), report);
            break;
        default:
            if (IsCountyField(field.kind)) ConvertCountyField(fields, i, options, added, qso, report);
            break;
        }
    }
    return qso;
}

// A CNTY equal to an earlier one is left out; the converted count loses it
// when the resolution had made it. Returns the number of distinct CNTYs.
std::size_t RemoveDuplicateCounties(std::span<QsoField> fields, FirstPassResult& qso) {
    std::size_t distinct = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].kind != FieldKind::Cnty || fields[i].name.empty()) continue;
        bool duplicate = false;
        for (std::size_t j = 0; j < i && !duplicate; ++j)
            duplicate = fields[j].kind == FieldKind::Cnty && !fields[j].name.empty() && fields[j].value == fields[i].value;
        if (!duplicate) {
            ++distinct;
            continue;
        }
        RenameField(fields[i], "", FieldKind::Other);
        if (fields[i].madeCnty) --qso.converted;
    }
    return distinct;
}

// A STATE is only made from a county value "ST,Name" (two letters A-Z
// and a comma); any other value names no state.
std::optional<std::string_view> StateOfCountyValue(std::optional<std::string_view> value) {
    if (!value || value->size() < 3) return std::nullopt;
    const std::string_view v = *value;
    if (!IsAsciiUpper(v[0]) || !IsAsciiUpper(v[1]) || v[2] != ',') return std::nullopt;
    return v.substr(0, 2);
}

std::string_view ValueOrEmpty(const QsoField& field) { return field.value.value_or(std::string_view()); }

std::string CountyLineMessage(std::string_view callsign, std::span<const QsoField> fields, std::size_t i) {
    std::string message = "Adding QSO for ";
    message.append(callsign).append(" on ");
    message.append(i > 0 ? ValueOrEmpty(fields[i - 1]) : "").append("/").append(ValueOrEmpty(fields[i]));
    message += " county line.";
    return message;
}

// The field of `kind` that the next record writes (the first one not yet
// written), or nullptr.
const QsoField* NextOfKind(std::span<const QsoField> fields, FieldKind kind) {
    for (const QsoField& field : fields)
        if (field.kind == kind && !field.name.empty()) return &field;
    return nullptr;
}

// Whether every MY_CNTY of the QSO names one and the same county.
bool OneOwnCounty(std::span<const QsoField> fields) {
    const QsoField* first = NextOfKind(fields, FieldKind::MyCnty);
    return first && std::all_of(fields.begin(), fields.end(), [first](const QsoField& field) {
               return field.kind != FieldKind::MyCnty || field.name.empty() || field.value == first->value;
           });
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
    CopyWriter(const RecordOutput& out, std::span<QsoField> fields, std::string_view call, int ownConverted,
               RunCounters& counters, RunReport& report)
        : m_out(out), m_fields(fields), m_call(call), m_ownConverted(ownConverted), m_ownRemaining(ownConverted),
          m_oneOwnCounty(OneOwnCounty(fields)), m_counters(counters), m_report(report) {}

    void WriteRecord(std::size_t copy, std::size_t copies, std::optional<std::int64_t> time);

private:
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

    const RecordOutput& m_out;
    std::span<QsoField> m_fields;
    std::string_view m_call;
    int m_ownConverted;
    int m_ownRemaining;
    bool m_oneOwnCounty;
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

void CopyWriter::WriteRecord(std::size_t copy, std::size_t copies, std::optional<std::int64_t> time) {
    m_column = 0;
    bool cntyWritten = false, myCntyWritten = false;
    m_state.Start(NextOfKind(m_fields, FieldKind::Cnty));
    m_myState.Start(NextOfKind(m_fields, FieldKind::MyCnty));
    if (time) {
        const UtcText text = FormatUtc(*time + static_cast<std::int64_t>(copy));
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
        case FieldKind::State: PutInputState(field, m_state); break;
        case FieldKind::MyState: PutInputState(field, m_myState); break;
        case FieldKind::Cnty:
            if (cntyWritten) break; // waits for a later record
            cntyWritten = true;
            if (copies > 1 && copy > 0) {
                ++m_counters.countyLineCopies;
                m_report.progress.Info(CountyLineMessage(m_call, m_fields, i));
            }
            if (field.value) m_counters.counties.Add(*field.value);
            PutCounty(i, m_state, false);
            break;
        case FieldKind::MyCnty:
            if (myCntyWritten) break;
            myCntyWritten = true;
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
}

// Whether the field holds a value that its conversion reads as a county
// (an SRX that holds a serial number does not).
bool ReadsAsCounty(const QsoField& field) {
    return IsCountyField(field.kind) && field.value && !(field.kind == FieldKind::Srx && ReadDecimal(*field.value) != 0);
}

// Whether a county field of the QSO holds a value it reads as a county.
bool HasCountyValue(std::span<const QsoField> fields) {
    return std::any_of(fields.begin(), fields.end(), [](const QsoField& field) {
        return !field.name.empty() && ReadsAsCounty(field) && !field.value->empty();
    });
}

// Where the county word of SRX_STRING (fields[i]) goes: right after it, in a
// QSO without a county value, when the received exchange ends in a word.
std::optional<std::size_t> ExchangeCountySlot(std::span<const QsoField> fields, std::size_t i) {
    const QsoField& field = fields[i];
    if (!field.value || !CountyWordOfExchange(*field.value) || HasCountyValue(fields)) return std::nullopt;
    return i + 1;
}

// Where the county word of STX_STRING (fields[i], of several words) goes:
// right after it, when the last word is not a serial number and no other
// field holds the operator's county.
std::optional<std::size_t> SentCountySlot(std::span<const QsoField> fields, std::size_t i) {
    if (!CountyWordOfExchange(*fields[i].value)) return std::nullopt;
    for (const QsoField& other : fields)
        if ((other.kind == FieldKind::MyCounty || other.kind == FieldKind::MyCnty) && !other.name.empty() &&
            other.value && !other.value->empty())
            return std::nullopt;
    return i + 1;
}

// Whether a county field of the QSO holds a "/", which may join counties.
bool HasJoinedCounties(std::span<const QsoField> fields) {
    return std::any_of(fields.begin(), fields.end(),
                       [](const QsoField& field) { return ReadsAsCounty(field) && Contains(field.value, '/'); });
}

// Appends `field`, or a field of its name per county when it holds a county
// line in one value (`call` is the CALL seen before it), keeping the
// answers the parts got in `added`.
void AppendCounties(QsoFields& fields, const QsoField& field, const QsoOptions& options,
                    std::optional<std::string_view> call, AddedFields& added) {
    auto parts = ReadsAsCounty(field) ? CountyLineParts(*field.value, QuestionFor(field, options, call))
                                      : std::vector<CountyLinePart>();
    if (parts.empty()) {
        fields.push_back(field);
        return;
    }
    for (CountyLinePart& part : parts) {
        added.answers.push_back({fields.size(), call, std::move(part.answer)});
        fields.push_back(QsoField{field.name, part.text, field.kind});
    }
}

// The fields that the steps take, when they differ from the QSO's: each
// county line written in one value becomes a field per county, the county
// word of SRX_STRING (or its counties) is added at `slot` as CNTY, and the
// last word of STX_STRING at `sentSlot` as an own-county field; `added`
// tells where. The views still point into `fields` (the words into the
// exchanges' values), which outlive the steps.
QsoFields ExpandFields(std::span<const QsoField> fields, std::optional<std::size_t> slot,
                       std::optional<std::size_t> sentSlot, const QsoOptions& options, AddedFields& added) {
    QsoFields expanded;
    expanded.reserve(fields.size() + 2);
    std::optional<std::string_view> call;
    for (std::size_t i = 0; i <= fields.size(); ++i) {
        if (slot && i == *slot) {
            added.first = expanded.size();
            const std::string_view word = *CountyWordOfExchange(*fields[i - 1].value);
            AppendCounties(expanded, QsoField{"CNTY", word, FieldKind::Cnty}, options, call, added);
            added.last = expanded.size();
        }
        if (sentSlot && i == *sentSlot) {
            added.sent = expanded.size();
            expanded.push_back(QsoField{"STX_STRING", *CountyWordOfExchange(*fields[i - 1].value), FieldKind::MyCounty});
        }
        if (i == fields.size()) break;
        if (fields[i].kind == FieldKind::Call) call = fields[i].value;
        AppendCounties(expanded, fields[i], options, call, added);
    }
    return expanded;
}

// The steps of one QSO over `fields`; the fields in `added`, made from the
// exchanges' words, stay only as a county or a state.
int ConvertFields(const RecordOutput& out, const QsoOptions& options, std::span<QsoField> fields,
                  const AddedFields& added, std::optional<std::int64_t> time, RunCounters& counters,
                  RunReport& report) {
    FirstPassResult qso = FirstPass(fields, options, added, report);
    for (std::size_t i = added.first; i < added.last; ++i)
        if (fields[i].kind == FieldKind::Cnty && !fields[i].madeCnty) RenameField(fields[i], "", FieldKind::Other);
    if (added.sent && fields[*added.sent].kind == FieldKind::MyCounty) RenameField(fields[*added.sent], "", FieldKind::Other);
    const auto call = Callsign(fields, qso);
    if (!call || !(qso.band || qso.freq || qso.freqRx) || !qso.mode) {
        ++counters.qsosLeftOut;
        return qso.converted;
    }

    const std::size_t copies = std::max<std::size_t>(RemoveDuplicateCounties(fields, qso), 1);
    CopyWriter writer(out, fields, *call, qso.ownConverted, counters, report);
    for (std::size_t copy = 0; copy < copies; ++copy) writer.WriteRecord(copy, copies, time);
    return qso.converted;
}

} // namespace

int ConvertQso(const RecordOutput& out, const QsoOptions& options, std::span<QsoField> fields,
               std::optional<std::int64_t> time, RunCounters& counters, RunReport& report) {
    std::optional<std::size_t> received, sent; // the QSO's first SRX_STRING and STX_STRING, then their words' slots
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].kind == FieldKind::Exchange && !received && !fields[i].name.empty()) received = i;
        if (fields[i].kind == FieldKind::SentExchange && !sent && !fields[i].name.empty()) sent = i;
    }
    if (received) received = ExchangeCountySlot(fields, *received);
    if (sent && fields[*sent].value && HasSeveralWords(*fields[*sent].value)) {
        fields[*sent].kind = FieldKind::Other; // written as it is: its last word is looked up on its own
        sent = SentCountySlot(fields, *sent);
    } else {
        sent.reset(); // a value of one word is an own-county field itself
    }
    if (!received && !sent && !HasJoinedCounties(fields))
        return ConvertFields(out, options, fields, {}, time, counters, report);
    AddedFields added;
    QsoFields expanded = ExpandFields(fields, received, sent, options, added);
    return ConvertFields(out, options, expanded, added, time, counters, report);
}

} // namespace shirl
