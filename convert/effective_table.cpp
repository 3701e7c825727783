// The effective county table of a Selection, built the way the lookup
// searches (convert/lookup.cpp).
#include "convert/effective_table.h"

#include <set>

#include "data/abbrev_tables.h"
#include "data/county_names.h"

namespace shirl {

std::vector<EffectiveRow> EffectiveCountyRows(Selection selection, const AbbrevList* list) {
    std::vector<EffectiveRow> rows;
    std::set<std::string_view> answered;
    if (list != nullptr) {
        for (const AbbrevListRow& row : list->rows()) {
            rows.push_back({row.abbreviation, row.countyId});
            answered.insert(row.abbreviation);
        }
    }
    const bool replaced = list != nullptr && list->replaces();
    for (const TableId id : TablesForSelection(selection)) {
        const AbbrevTable& table = GetAbbrevTable(id);
        const bool cities = table.independentCities;
        if (replaced && !cities) continue;
        for (const AbbrevEntry& entry : table.rows) {
            if (!answered.insert(entry.abbreviation).second) continue;
            // Of the rows that share an abbreviation, the one the search finds.
            const AbbrevEntry* found = FindAbbrevEntry(entry.abbreviation, table);
            if (cities || found == nullptr || !IsGazetteerCountyId(found->countyId)) continue;
            rows.push_back({entry.abbreviation, found->countyId});
        }
    }
    return rows;
}

} // namespace shirl
