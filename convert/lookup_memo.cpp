#include "convert/lookup_memo.h"

#include <cstdint>

namespace shirl {
namespace {

std::size_t HashOf(std::string_view text) {
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

} // namespace

const LookupResult& LookupMemo::Find(std::string_view abbreviation, Selection selection, const AbbrevList* list) {
    if (selection != m_selection || list != m_list) {
        for (Slot& slot : m_slots) slot.used = false;
        m_selection = selection;
        m_list = list;
    }
    Slot& slot = m_slots[HashOf(abbreviation) % m_slots.size()];
    if (!slot.used || slot.abbreviation != abbreviation) {
        slot.result = LookupAbbreviation(abbreviation, selection, list);
        slot.abbreviation.assign(abbreviation);
        slot.used = true;
    }
    return slot.result;
}

} // namespace shirl
