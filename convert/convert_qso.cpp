// One QSO in four steps: the first pass cleans fields up and resolves the
// county fields; a QSO without callsign, band or frequency, or mode stops
// there; duplicate CNTY fields are left out; and one record is written per
// distinct CNTY.
#include "convert/convert_qso.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "adif/writer.h"
#include "base/text_util.h"
#include "convert/copy_writer.h"
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
// [first, last), those of STX_STRING's word in [sentFirst, sentLast), and
// the answers of the county-line parts.
struct AddedFields {
    std::size_t first = 0, last = 0;
    std::size_t sentFirst = 0, sentLast = 0;
    std::vector<KnownAnswer> answers;
};

// What the first pass found out about the QSO.
struct FirstPassResult {
    std::optional<std::size_t> callIndex;
    std::optional<std::string_view> inputState; // the record's own STATE as read: its last valid one
    bool band = false, freq = false, freqRx = false, mode = false;
    int converted = 0;    // county fields that became CNTY
    int ownConverted = 0; // own-county fields that became MY_CNTY
};

bool Contains(std::optional<std::string_view> value, char c) {
    return value && value->find(c) != std::string_view::npos;
}

bool IsCountyField(FieldKind kind) {
    return kind == FieldKind::County || kind == FieldKind::Qth || kind == FieldKind::Cnty || kind == FieldKind::Srx;
}

std::optional<std::string_view> Callsign(std::span<const QsoField> fields, const FirstPassResult& qso) {
    if (!qso.callIndex) return std::nullopt;
    return fields[*qso.callIndex].value;
}

// The question about a county field's value: the record's CALL (wherever it
// stands) names the station, and its own STATE is what a QTH must agree with.
CountyQuestion QuestionFor(const QsoField& field, const QsoOptions& options, std::optional<std::string_view> call,
                           std::optional<std::string_view> state = std::nullopt) {
    return CountyQuestion{options.selection, options.list, call, state, field.kind, field.name};
}

// Resolves `field` for `question`, through the run's memory of answers where it has one.
int Resolve(QsoField& field, const CountyQuestion& question, const QsoOptions& options, RunReport& report) {
    if (!field.value) return 0;
    if (options.answers == nullptr) return ResolveCountyField(field, question, report);
    return ApplyCountyAnswer(field, options.answers->Answer(*field.value, question), report);
}


// An all-digit COMMENT is a serial number (SRX), unless the QSO has an SRX
// already (`srxTaken`, which it then sets); trailing blanks go.
void CleanComment(QsoField& field, bool& srxTaken) {
    if (!field.value) return;
    const std::string_view v = *field.value;
    if (!v.empty() && !srxTaken && std::all_of(v.begin(), v.end(), IsAsciiDigit)) {
        RenameField(field, "SRX", FieldKind::Srx);
        srxTaken = true;
    }
    const std::size_t keep = v.find_last_not_of(' ');
    const std::size_t size = keep == std::string_view::npos ? 0 : keep + 1;
    if (size != v.size()) SetValueView(field, v.substr(0, size));
}

// A callsign that carries this county as its suffix (N0CALL/AUT) loses it,
// and gets "/M" when the run adds it; the changed callsign is kept in
// `changedCall` for the QSO's steps.
void DropCountySuffix(std::span<QsoField> fields, const FirstPassResult& qso, std::string_view county,
                      bool addMobile, std::string& changedCall, RunReport& report) {
    const auto call = Callsign(fields, qso);
    if (!call) return;
    const std::size_t slash = call->find('/');
    if (slash == std::string_view::npos || !EqualsNoCase(county, call->substr(slash + 1))) return;
    std::string changed(call->substr(0, slash));
    if (addMobile) changed += "/M";
    report.progress.Info("Changed callsign " + std::string(*call) + " to " + changed);
    changedCall = std::move(changed);
    SetValueView(fields[*qso.callIndex], changedCall);
}

// One field of the worked station's county: the callsign's suffix, then
// the resolution (in any letter case; a value that does not convert stays
// as written).
void ConvertCountyField(std::span<QsoField> fields, std::size_t i, const QsoOptions& options,
                        const AddedFields& added, FirstPassResult& qso, QsoScratch& scratch, RunReport& report) {
    QsoField& field = fields[i];
    if (!field.value) return;
    if (field.kind == FieldKind::Srx && ReadDecimal(*field.value) != 0) return; // a serial number
    if (!Contains(field.value, ','))
        DropCountySuffix(fields, qso, *field.value, options.addMobile, scratch.changedCall, report);
    const auto call = Callsign(fields, qso);
    const auto known = std::find_if(added.answers.begin(), added.answers.end(),
                                    [i](const KnownAnswer& a) { return a.index == i; });
    const int result = known != added.answers.end() && known->call == call
                           ? ApplyCountyAnswer(field, known->answer, report)
                           : Resolve(field, QuestionFor(field, options, call, qso.inputState), options, report);
    qso.converted += result;
    field.madeCnty = result == 1;
}

// Whether the field is a STATE that names a US state or DC: the record's
// last such one is the STATE a county read from its QTH must lie in.
bool IsValidState(const QsoField& field) {
    return field.kind == FieldKind::State && !field.name.empty() && field.value && IsRecordState(*field.value);
}

// The index of the QSO's CALL (the last one where it has several).
std::optional<std::size_t> CallIndex(std::span<const QsoField> fields) {
    for (std::size_t i = fields.size(); i-- > 0;)
        if (fields[i].kind == FieldKind::Call && !fields[i].name.empty()) return i;
    return std::nullopt;
}

// What the first pass knows before any field changes, in one look at the
// fields: the QSO's CALL (its last), the record's own STATE as read (its
// last that names a US state or DC), and whether an SRX stands in it.
void GatherRecord(std::span<const QsoField> fields, FirstPassResult& qso, bool& srxTaken) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QsoField& field = fields[i];
        if (field.name.empty()) continue;
        if (field.kind == FieldKind::Call) qso.callIndex = i;
        if (IsValidState(field)) qso.inputState = field.value;
        if (field.kind == FieldKind::Srx) srxTaken = true;
    }
}

// Names, clean-up and county resolution, in field order; every county field
// sees the QSO's CALL wherever it stands.
FirstPassResult FirstPass(std::span<QsoField> fields, const QsoOptions& options, const AddedFields& added,
                          QsoScratch& scratch, RunReport& report) {
    FirstPassResult qso;
    bool srxTaken = false;
    GatherRecord(fields, qso, srxTaken);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        QsoField& field = fields[i];
        if (field.name.empty()) continue;
        switch (field.kind) {
        case FieldKind::AliasRst: RenameField(field, "RST_RCVD", FieldKind::Other); break;
        case FieldKind::AliasSnt: RenameField(field, "RST_SENT", FieldKind::Other); break;
        case FieldKind::Call: break;
        case FieldKind::Band: qso.band = field.value.has_value(); break;
        case FieldKind::Freq: qso.freq = field.value.has_value(); break;
        case FieldKind::FreqRx: qso.freqRx = field.value.has_value(); break;
        case FieldKind::Mode: qso.mode = field.value.has_value(); break;
        case FieldKind::Comment: CleanComment(field, srxTaken); break;
        case FieldKind::MyCounty:
            qso.ownConverted += Resolve(field, QuestionFor(field, options, Callsign(fields, qso)), options, report);
            break;
        default:
            if (IsCountyField(field.kind)) ConvertCountyField(fields, i, options, added, qso, scratch, report);
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

// An exchange's county word and where it goes among the QSO's fields.
struct ExchangeWord {
    std::size_t slot = 0;
    std::string_view word;
};

// Where the county word of SRX_STRING (fields[i]) goes: right after it, in a
// QSO without a county value, when the received exchange ends in a word.
std::optional<ExchangeWord> ExchangeCountySlot(std::span<const QsoField> fields, std::size_t i) {
    const QsoField& field = fields[i];
    if (!field.value) return std::nullopt;
    const auto word = CountyWordOfExchange(*field.value);
    if (!word || HasCountyValue(fields)) return std::nullopt;
    return ExchangeWord{i + 1, *word};
}

// Where the county word of STX_STRING (fields[i]) goes: right after it,
// when the word is not a serial number and, in an exchange of several
// words, no other field holds the operator's county.
std::optional<ExchangeWord> SentCountySlot(std::span<const QsoField> fields, std::size_t i) {
    const auto word = CountyWordOfExchange(*fields[i].value);
    if (!word) return std::nullopt;
    if (!HasSeveralWords(*fields[i].value)) return ExchangeWord{i + 1, *word}; // the operator's county itself
    for (const QsoField& other : fields)
        if ((other.kind == FieldKind::MyCounty || other.kind == FieldKind::MyCnty) && !other.name.empty() &&
            other.value && !other.value->empty())
            return std::nullopt;
    return ExchangeWord{i + 1, *word};
}

// Whether the field may hold a county line in one value: a worked county
// read as one, or an own county.
bool MayJoinCounties(const QsoField& field) {
    return ReadsAsCounty(field) || (field.kind == FieldKind::MyCounty && field.value);
}

// Whether a county field of the QSO holds a "/", which may join counties.
bool HasJoinedCounties(std::span<const QsoField> fields) {
    return std::any_of(fields.begin(), fields.end(),
                       [](const QsoField& field) { return MayJoinCounties(field) && Contains(field.value, '/'); });
}

// Appends `field`, or a field of its name per county when it holds a county
// line in one value (`call` is the QSO's CALL), keeping the answers the
// parts got in `added`. A QTH whose counties lie outside the record's own
// STATE (`state`) stays one field, its answer the warning that says so.
void AppendCounties(QsoFields& fields, const QsoField& field, const QsoOptions& options,
                    std::optional<std::string_view> call, std::optional<std::string_view> state,
                    AddedFields& added) {
    if (!MayJoinCounties(field) || !Contains(field.value, '/')) {
        fields.push_back(field);
        return;
    }
    auto parts = CountyLineParts(*field.value, QuestionFor(field, options, call));
    if (parts.empty()) {
        fields.push_back(field);
        return;
    }
    if (field.kind == FieldKind::Qth && state) {
        std::vector<std::string_view> counties;
        for (const CountyLinePart& part : parts) counties.push_back(part.answer.value);
        if (auto warning = QthOutsideState(*field.value, counties, QuestionFor(field, options, call, state))) {
            added.answers.push_back({fields.size(), call, {.kind = CountyAnswer::Kind::None, .value = {}, .messages = {*warning}}});
            fields.push_back(field);
            return;
        }
    }
    for (CountyLinePart& part : parts) {
        added.answers.push_back({fields.size(), call, std::move(part.answer)});
        fields.push_back(QsoField{field.name, part.text, field.kind});
    }
}

// Into `expanded` (emptied first): the fields that the steps take, when they differ from the QSO's: each
// county line written in one value (`joined`: the QSO holds one) becomes a field per county, the county
// word of SRX_STRING (or its counties) is added at its slot as CNTY, and the
// last word of STX_STRING (`sent`) at its slot as an own-county field; `added`
// tells where. The views still point into `fields` (the words into the
// exchanges' values), which outlive the steps.
void ExpandFields(std::span<const QsoField> fields, std::optional<ExchangeWord> received, std::optional<ExchangeWord> sent,
                  bool joined, const QsoOptions& options, AddedFields& added, QsoFields& expanded) {
    expanded.clear();
    const auto callIndex = CallIndex(fields);
    const std::optional<std::string_view> call = callIndex ? fields[*callIndex].value : std::nullopt;
    std::optional<std::string_view> state; // the record's last valid STATE
    for (const QsoField& field : fields)
        if (IsValidState(field)) state = field.value;
    for (std::size_t i = 0; i <= fields.size(); ++i) {
        if (received && i == received->slot) {
            added.first = expanded.size();
            AppendCounties(expanded, QsoField{"CNTY", received->word, FieldKind::Cnty}, options, call, state, added);
            added.last = expanded.size();
        }
        if (sent && i == sent->slot) {
            added.sentFirst = expanded.size();
            AppendCounties(expanded, QsoField{"STX_STRING", sent->word, FieldKind::MyCounty}, options, call, state, added);
            added.sentLast = expanded.size();
        }
        if (i == fields.size()) break;
        if (joined) AppendCounties(expanded, fields[i], options, call, state, added);
        else expanded.push_back(fields[i]);
    }
}

// The QSO's first CNTY, or nullptr.
const QsoField* FirstCnty(std::span<const QsoField> fields) {
    for (const QsoField& field : fields)
        if (field.kind == FieldKind::Cnty && !field.name.empty() && field.value) return &field;
    return nullptr;
}

// What a logger's records of one contact share, into `key`: the call (any
// case), date, time, band and mode as written; empty when the date or time
// is missing.
void MakeSplitKey(std::span<const QsoField> fields, std::string_view call, std::string& key) {
    key.clear();
    const QsoField* date = nullptr; // the last of each kind with a value
    const QsoField* time = nullptr;
    const QsoField* band = nullptr;
    const QsoField* mode = nullptr;
    for (const QsoField& field : fields) {
        if (field.name.empty() || !field.value) continue;
        switch (field.kind) {
        case FieldKind::QsoDate: date = &field; break;
        case FieldKind::TimeOn: time = &field; break;
        case FieldKind::Band: band = &field; break;
        case FieldKind::Mode: mode = &field; break;
        default: break;
        }
    }
    if (!date || !time) return;
    // The parts one after another, each after a '\0', sized once.
    const std::string_view parts[] = {call, *date->value, *time->value, band ? *band->value : std::string_view(),
                                      mode ? *mode->value : std::string_view()};
    std::size_t size = call.size();
    for (std::size_t i = 1; i < std::size(parts); ++i) size += 1 + parts[i].size();
    key.resize(size);
    char* p = key.data();
    for (std::size_t i = 0; i < std::size(parts); ++i) {
        if (i != 0) *p++ = '\0';
        if (!parts[i].empty()) std::memcpy(p, parts[i].data(), parts[i].size());
        p += parts[i].size();
    }
    MakeAsciiUpperCase(key);
}

// The word a QSO was looked up by when it gets no county: the received
// exchange's word, else the county word of its first county field ("599
// CTCAP" -> "CTCAP"); empty when there is none. Before the added fields go.
std::string_view LookedUpWord(std::span<const QsoField> fields, const AddedFields& added) {
    for (std::size_t i = added.first; i < added.last; ++i)
        if (fields[i].kind == FieldKind::Cnty && !fields[i].madeCnty && fields[i].value) return *fields[i].value;
    for (const QsoField& field : fields)
        if (!field.name.empty() && ReadsAsCounty(field) && !field.value->empty())
            return CountyWordOfExchange(*field.value).value_or(*field.value);
    return {};
}

// The steps of one QSO over `fields`; the fields in `added`, made from the
// exchanges' words, stay only as a county or a state.
int ConvertFields(const RecordOutput& out, const QsoOptions& options, std::span<QsoField> fields,
                  const AddedFields& added, std::optional<std::int64_t> time, RunCounters& counters,
                  QsoScratch& scratch, RunReport& report) {
    FirstPassResult qso = FirstPass(fields, options, added, scratch, report);
    const std::string_view lookedUp = LookedUpWord(fields, added);
    for (std::size_t i = added.first; i < added.last; ++i)
        if (fields[i].kind == FieldKind::Cnty && !fields[i].madeCnty) RenameField(fields[i], "", FieldKind::Other);
    for (std::size_t i = added.sentFirst; i < added.sentLast; ++i)
        if (fields[i].kind == FieldKind::MyCounty) RenameField(fields[i], "", FieldKind::Other);
    const auto call = Callsign(fields, qso);
    if (!call || !(qso.band || qso.freq || qso.freqRx) || !qso.mode) {
        ++counters.qsosLeftOut;
        return qso.converted;
    }

    const std::size_t distinct = RemoveDuplicateCounties(fields, qso);
    std::string& key = scratch.nextKey;
    MakeSplitKey(fields, *call, key);
    const QsoField* county = FirstCnty(fields);
    const std::string_view countyValue = county ? ValueOrEmpty(*county) : std::string_view();
    RunCounters::LastQso& last = counters.last;
    CopyTiming timing{time, 0, {}};
    if (county && !key.empty() && key == last.key && !last.county.empty() && countyValue != last.county) {
        timing.offset = last.nextOffset;
        timing.splitFrom = last.county;
    }
    const CopyRequest request{.call = *call,
                              .ownConverted = qso.ownConverted,
                              .distinct = distinct,
                              .timing = timing,
                              .usaca = options.countyLines == CountyLines::Usaca,
                              .utc = scratch.utc};
    const std::size_t written = WriteCopies(out, fields, request, counters, report);
    // A QSO written without a county is counted by the word it was looked up
    // by (a Connecticut region, a value that names nothing): the map names it.
    const bool city = std::any_of(fields.begin(), fields.end(), [](const QsoField& f) { return !f.city.empty(); });
    if (county == nullptr && !city && !lookedUp.empty())
        for (std::size_t n = 0; n < written; ++n) counters.counties.Add(lookedUp);
    std::swap(last.key, key);
    last.county.assign(countyValue);
    last.nextOffset = timing.offset + static_cast<std::int64_t>(written);
    return qso.converted;
}

} // namespace

int ConvertQso(const RecordOutput& out, const QsoOptions& options, std::span<QsoField> fields,
               std::optional<std::int64_t> time, RunCounters& counters, RunReport& report) {
    QsoScratch own;
    QsoScratch& scratch = options.scratch != nullptr ? *options.scratch : own;
    std::optional<std::size_t> receivedAt, sentAt; // the QSO's first SRX_STRING and STX_STRING
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].kind == FieldKind::Exchange && !receivedAt && !fields[i].name.empty()) receivedAt = i;
        if (fields[i].kind == FieldKind::SentExchange && !sentAt && !fields[i].name.empty()) sentAt = i;
    }
    std::optional<ExchangeWord> received, sent;
    if (receivedAt) received = ExchangeCountySlot(fields, *receivedAt);
    if (sentAt && fields[*sentAt].value) {
        fields[*sentAt].kind = FieldKind::Other; // written as it is: its last word is looked up on its own
        sent = SentCountySlot(fields, *sentAt);
    }
    const bool joined = HasJoinedCounties(fields);
    AddedFields added;
    if (!received && !sent && !joined) return ConvertFields(out, options, fields, added, time, counters, scratch, report);
    QsoFields& expanded = scratch.expanded;
    ExpandFields(fields, received, sent, joined, options, added, expanded);
    return ConvertFields(out, options, expanded, added, time, counters, scratch, report);
}

} // namespace shirl
