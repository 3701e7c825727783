#pragma once
// The order in which a Selection with the operator's list is searched: the
// one rule that the lookup, the effective table, `abbreviations` and the
// map's abbreviations of each county share.
#include "data/abbrev_list.h"
#include "data/abbrev_tables.h"
#include "data/selections.h"

namespace shirl {

// One place a search looks in: the operator's list or one built-in table.
struct SearchPlace {
    const AbbrevList* list = nullptr;   // the operator's list, or
    const AbbrevTable* table = nullptr; // a built-in table
};

// Calls `visit(place)` for each place that `selection` with the operator's
// `list` (or nullptr) searches, in order, until a call returns true: the list
// first (only with a valid Selection), then the Selection's tables, of which
// a replacing list leaves only the independent-city ones (they name no
// county). Returns whether a call returned true. Allocates nothing.
template <class Visit>
bool SearchInOrder(Selection selection, const AbbrevList* list, Visit&& visit) {
    if (!selection.IsValid()) list = nullptr;
    if (list != nullptr && visit(SearchPlace{list, nullptr})) return true;
    const bool replaced = list != nullptr && list->replaces();
    for (const TableId id : TablesForSelection(selection)) {
        const AbbrevTable& table = GetAbbrevTable(id);
        if (replaced && !table.independentCities) continue;
        if (visit(SearchPlace{nullptr, &table})) return true;
    }
    return false;
}

} // namespace shirl
