#include "convert/lookup_memo.h"

#include "base/text_util.h"

namespace shirl {

const LookupResult& LookupMemo::Find(std::string_view abbreviation, Selection selection, const AbbrevList* list) {
    if (selection != m_selection || list != m_list) {
        for (Slot& slot : m_slots) slot.used = false;
        m_selection = selection;
        m_list = list;
    }
    Slot& slot = m_slots[HashOfBytes(abbreviation) % m_slots.size()];
    if (!slot.used || slot.abbreviation != abbreviation) {
        slot.result = LookupAbbreviation(abbreviation, selection, list);
        slot.abbreviation.assign(abbreviation);
        slot.used = true;
    }
    return slot.result;
}

} // namespace shirl
