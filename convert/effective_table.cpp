// The effective county table of a Selection, built on the lookup's search
// order (data/search_order.h).
#include "convert/effective_table.h"

#include <set>

#include "data/county_names.h"
#include "data/search_order.h"

namespace shirl {

std::vector<EffectiveRow> EffectiveCountyRows(Selection selection, const AbbrevList* list) {
    std::vector<EffectiveRow> rows;
    std::set<std::string_view> answered;
    SearchInOrder(selection, list, [&](const SearchPlace& place) {
        if (place.list != nullptr) {
            for (const AbbrevListRow& row : place.list->rows()) {
                rows.push_back({row.abbreviation, row.countyId});
                answered.insert(row.abbreviation);
            }
            return false;
        }
        const AbbrevTable& table = *place.table;
        for (const AbbrevEntry& entry : table.rows) {
            if (!answered.insert(entry.abbreviation).second) continue;
            // Of the rows that share an abbreviation, the one the search finds.
            const AbbrevEntry* found = FindAbbrevEntry(entry.abbreviation, table);
            if (table.independentCities || found == nullptr || !IsGazetteerCountyId(found->countyId)) continue;
            rows.push_back({entry.abbreviation, found->countyId});
        }
        return false;
    });
    return rows;
}

} // namespace shirl
