#include "convert/answer_memo.h"

#include "base/text_util.h"

namespace shirl {

CountyAnswer AnswerMemo::Answer(std::string_view value, const CountyQuestion& question) {
    const auto anew = [&] { return AnswerCountyValue(value, question); };
    // A QTH is checked against the record's own STATE.
    if (value.size() > kLongestValue || (question.field == FieldKind::Qth && question.state)) return anew();
    const std::optional<std::uint8_t> callClass = ClassOf(question.callsign);
    if (!callClass) return anew();
    if (question.selection != m_selection || question.list != m_list) {
        for (Slot& slot : m_slots) slot.used = false;
        m_selection = question.selection;
        m_list = question.list;
    }
    const auto holds = [&](const Slot& slot) {
        return slot.used && slot.field == question.field &&
               (slot.callClass == kAnyClass || slot.callClass == *callClass) && slot.value.size() == value.size() &&
               SameBytes(slot.value.data(), value.data(), value.size());
    };
    // Two slots may hold an answer: its hash's and the one beside it.
    const std::size_t at =
        (HashOfBytes(value) ^ static_cast<std::size_t>(question.field)) * 2654435761u % m_slots.size();
    Slot& first = m_slots[at];
    if (holds(first)) return first.answer;
    Slot& second = m_slots[at ^ 1];
    if (holds(second)) return second.answer;
    CountyAnswer answer = anew();
    if (answer.messages.empty()) {
        Slot& slot = !first.used || second.used ? first : second;
        slot.value.assign(value);
        slot.field = question.field;
        slot.callClass = AnswerDependsOnCallsign(value) ? *callClass : kAnyClass;
        slot.used = true;
        slot.answer = answer;
    }
    return answer;
}

std::optional<std::uint8_t> AnswerMemo::ClassOf(std::optional<std::string_view> callsign) {
    if (!callsign || callsign->empty()) return CallsignClass(callsign, m_scratch);
    const std::string_view call = *callsign;
    // (m_lastCall starts empty, which no callsign that gets here is.)
    if (m_lastCall.size() == call.size() && SameBytes(m_lastCall.data(), call.data(), call.size())) return m_lastClass;
    m_lastCall.assign(call);
    m_lastClass = CallsignClass(call, m_scratch);
    return m_lastClass;
}

} // namespace shirl
