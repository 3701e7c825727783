#include "convert/answers_ahead.h"

#include "base/text_util.h"
#include "convert/exchange_county.h"

namespace shirl {
namespace {

bool JoinsCounties(std::string_view value) { return value.find('/') != std::string_view::npos; }

// Whether two views hold the same text; mostly they are views of the same
// bytes, which tells at once.
bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && (a.data() == b.data() || a == b);
}
bool SameText(std::optional<std::string_view> a, std::optional<std::string_view> b) {
    return a.has_value() == b.has_value() && (!a || SameText(*a, *b));
}

} // namespace

CountyAnswer* TakeAnswerAhead(std::span<AnswerAhead> ahead, std::string_view value, const CountyQuestion& question) {
    for (AnswerAhead& a : ahead) {
        if (a.taken || a.field != question.field || !SameText(a.value, value) ||
            !SameText(a.fieldName, question.fieldName) || !SameText(a.callsign, question.callsign) ||
            !SameText(a.state, question.state))
            continue;
        a.taken = true;
        return &a.answer;
    }
    return nullptr;
}

void AnswersAhead::Clear() {
    m_answers.clear();
    m_ends.clear();
    m_next = 0;
}

std::span<AnswerAhead> AnswersAhead::NextRecord() {
    if (m_next == m_ends.size()) return {};
    const std::size_t begin = m_next == 0 ? 0 : m_ends[m_next - 1];
    const std::size_t end = m_ends[m_next++];
    return std::span<AnswerAhead>(m_answers).subspan(begin, end - begin);
}

void RecordQuestions::Field(std::size_t index, FieldKind kind, std::string_view name,
                            std::optional<std::string_view> value) {
    if (index == 0) {
        m_fields.clear();
        m_call.reset(); // each on its own, as LogConverter::TakeField does
        m_state.reset();
    }
    switch (kind) {
    case FieldKind::Call: m_call = value; break;
    case FieldKind::State: // the last that names a US state or DC
        if (value && IsRecordState(*value)) m_state = value;
        break;
    case FieldKind::County:
    case FieldKind::Qth:
    case FieldKind::Cnty:
    case FieldKind::Srx:
    case FieldKind::MyCounty:
    case FieldKind::Exchange:
    case FieldKind::SentExchange:
        if (value) m_fields.push_back({kind, name, value});
        break;
    default: break;
    }
}

// The questions of the conversion's first pass: each county field with a
// value (an SRX holding a serial number asks none) with the record's CALL
// and STATE, each own-county field with the CALL alone, and the county
// words of the first SRX_STRING (as a CNTY) and STX_STRING (as an own
// county). A value that may join counties by "/" is left to the
// conversion, which splits it first.
void RecordQuestions::Answer(AnswersAhead& into) {
    bool received = false, sent = false;
    for (const Gathered& field : m_fields) {
        const std::string_view value = *field.value;
        switch (field.kind) {
        case FieldKind::Srx:
            if (ReadDecimal(value) != 0) break;
            [[fallthrough]];
        case FieldKind::County:
        case FieldKind::Qth:
        case FieldKind::Cnty: Ask(into, value, field.kind, field.name, m_state); break;
        case FieldKind::MyCounty: Ask(into, value, field.kind, field.name, std::nullopt); break;
        case FieldKind::Exchange:
            if (received) break;
            received = true;
            if (const auto word = CountyWordOfExchange(value)) Ask(into, *word, FieldKind::Cnty, "CNTY", m_state);
            break;
        case FieldKind::SentExchange:
            if (sent) break;
            sent = true;
            if (const auto word = CountyWordOfExchange(value))
                Ask(into, *word, FieldKind::MyCounty, "STX_STRING", std::nullopt);
            break;
        default: break;
        }
    }
    into.EndRecord();
}

void RecordQuestions::Ask(AnswersAhead& into, std::string_view value, FieldKind kind, std::string_view name,
                          std::optional<std::string_view> state) {
    if (JoinsCounties(value)) return;
    const CountyQuestion question{m_selection, m_list, m_call, state, kind, name, &m_lookups, &m_answers};
    into.Add({value, kind, name, m_call, state, AnswerCountyValue(value, question)});
}

} // namespace shirl
