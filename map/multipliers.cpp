#include "map/multipliers.h"

#include <algorithm>

#include "base/text_util.h"
#include "data/county_names.h"
#include "data/map_shapes.h"
#include "data/search_order.h"

namespace shirl {
namespace {

void Add(MultiplierSet& set, int countyId, std::string_view abbreviation) {
    if (IsGazetteerCountyId(countyId)) set.counties.insert(MultiplierKey(countyId));
    else set.entries.insert(abbreviation);
}

} // namespace

int MultiplierKey(int countyId) {
    const int shape = DrawnAsShapeId(countyId);
    return shape >= 0 ? shape : countyId;
}

std::vector<MultiplierSet> PartyMultiplierSets(Selection selection, const AbbrevList* list) {
    std::vector<MultiplierSet> sets;
    bool joinNext = false; // an extending list waits for the table after it
    SearchInOrder(selection, list, [&](const SearchPlace& place) {
        if (!joinNext) sets.emplace_back();
        if (place.list != nullptr) {
            for (const AbbrevListRow& row : place.list->rows()) Add(sets.back(), row.countyId, row.abbreviation);
            joinNext = !place.list->replaces();
        } else {
            for (const AbbrevEntry& row : place.table->rows) Add(sets.back(), row.countyId, row.abbreviation);
            joinNext = false;
        }
        return false;
    });
    return sets;
}

MultiplierCount CountMultipliers(const std::vector<MultiplierSet>& sets, const std::map<int, std::int64_t>& countyQsos,
                                 const std::map<std::string, std::int64_t>& entryQsos) {
    std::set<int> workedCounties;
    for (const auto& [id, qsos] : countyQsos)
        if (qsos > 0) workedCounties.insert(MultiplierKey(id));
    std::set<std::string> workedEntries;
    for (const auto& [value, qsos] : entryQsos)
        if (qsos > 0) workedEntries.insert(AsciiUpperCase(value));
    MultiplierCount count;
    for (const MultiplierSet& set : sets) {
        count.total += static_cast<int>(set.counties.size() + set.entries.size());
        for (const int key : set.counties) count.worked += workedCounties.contains(key) ? 1 : 0;
        for (const std::string_view entry : set.entries) count.worked += workedEntries.contains(std::string(entry)) ? 1 : 0;
    }
    return count;
}

bool CountsCounty(const std::vector<MultiplierSet>& sets, int countyId) {
    const int key = MultiplierKey(countyId);
    return std::any_of(sets.begin(), sets.end(), [key](const MultiplierSet& set) { return set.counties.contains(key); });
}

bool CountsEntry(const std::vector<MultiplierSet>& sets, std::string_view value) {
    const std::string upper = AsciiUpperCase(value);
    return std::any_of(sets.begin(), sets.end(),
                       [&upper](const MultiplierSet& set) { return set.entries.contains(std::string_view(upper)); });
}

} // namespace shirl
