#pragma once
// The multipliers a Selection's party counts: the places of each of its
// tables, and how many of them a run worked.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "data/abbrev_list.h"
#include "data/selections.h"

namespace shirl {

// The places one table (or the operator's list) counts: counties by the
// shape they are drawn as (a renamed county and its new name are one), a
// county without a shape by its own id, and entries that name no county
// (Connecticut's regions) by their abbreviation.
struct MultiplierSet {
    std::set<int> counties;
    std::set<std::string_view> entries;
};

// One set per table that `selection` with the operator's `list` (or nullptr)
// searches, in its search order: an extending list joins the set of the
// table after it, a replacing one is a set of its own. Empty without tables.
std::vector<MultiplierSet> PartyMultiplierSets(Selection selection, const AbbrevList* list);

// The key a county id has in a MultiplierSet.
int MultiplierKey(int countyId);

struct MultiplierCount {
    int worked = 0;
    int total = 0;
};

// Over all `sets`, summed: the multipliers, and those with a QSO in
// `countyQsos` (gazetteer id to QSOs) or `entryQsos` (values naming no
// county, to QSOs; matched in any letter case).
MultiplierCount CountMultipliers(const std::vector<MultiplierSet>& sets, const std::map<int, std::int64_t>& countyQsos,
                                 const std::map<std::string, std::int64_t>& entryQsos);

// Whether any of `sets` counts the county `countyId`.
bool CountsCounty(const std::vector<MultiplierSet>& sets, int countyId);

// Whether any of `sets` counts the entry `value` (any letter case).
bool CountsEntry(const std::vector<MultiplierSet>& sets, std::string_view value);

} // namespace shirl
