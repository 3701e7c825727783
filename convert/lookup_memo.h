#pragma once
// The abbreviation lookups of one thread of a run, remembered: a log asks
// the same few dozen abbreviations over and over, and a lookup searches
// each table of the selection in turn.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "convert/lookup.h"

namespace shirl {

class LookupMemo {
public:
    // LookupAbbreviation(abbreviation, selection, list), from memory when
    // it was asked lately; valid until the next call.
    const LookupResult& Find(std::string_view abbreviation, Selection selection, const AbbrevList* list);

private:
    struct Slot {
        bool used = false;
        std::string abbreviation;
        LookupResult result;
    };
    std::array<Slot, 256> m_slots{};
    Selection m_selection;                 // what every slot used was looked up for
    const AbbrevList* m_list = nullptr;
};

} // namespace shirl
