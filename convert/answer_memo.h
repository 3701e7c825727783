#pragma once
// The county answers of a run, remembered: a log asks about
// the same few hundred values over and over, and most answers say nothing
// to the report. An answer is kept with what it was worked out from (the
// value as written, the field's kind and, for the few values that need
// it, the callsign's class) while the selection and the operator's list
// stay the same; answers with report messages are worked out each time,
// since their texts name the record.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/county_answer.h"

namespace shirl {

class AnswerMemo {
public:
    // AnswerCountyValue(value, question), from memory when it was asked lately.
    CountyAnswer Answer(std::string_view value, const CountyQuestion& question);

    // Values longer than this are worked out each time.
    static constexpr std::size_t kLongestValue = 32;

private:
    struct Slot {
        std::string value;
        FieldKind field = FieldKind::Cnty;
        std::uint8_t callClass = 0; // the callsign's class, or kAnyClass
        bool used = false;
        CountyAnswer answer;
    };
    static constexpr std::uint8_t kAnyClass = 0xFF;
    std::optional<std::uint8_t> ClassOf(std::optional<std::string_view> callsign);
    std::vector<Slot> m_slots = std::vector<Slot>(1024); // on the heap: a memo may live on a small stack
    Selection m_selection;                               // what every slot used was answered for
    const AbbrevList* m_list = nullptr;
    std::string m_lastCall; // the callsign classed last, and its class
    std::optional<std::uint8_t> m_lastClass;
    std::string m_scratch; // the prefix of the callsign being classed
};

} // namespace shirl
