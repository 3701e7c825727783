#include "map/map_area.h"

#include <set>

#include "data/abbrev_tables.h"
#include "data/county_names.h"
#include "data/gazetteer.h"
#include "data/map_shapes.h"
#include "data/search_order.h"

namespace shirl {
namespace {

constexpr int kAlaska = 2;
constexpr int kHawaii = 15;

MapArea WholeCountry() {
    MapArea area;
    area.wholeCountry = true;
    for (const MapShape& state : MapStateShapes()) area.states.push_back(state.id);
    area.fitted = area.states;
    return area;
}

// The state FIPS number of a state code of the map, or -1.
int MapStateNumber(std::string_view code) {
    for (const GazetteerRow& row : Gazetteer())
        if (row.stateCode == code) return FindMapShape(MapStateShapes(), row.stateNumber) ? row.stateNumber : -1;
    return -1;
}

MapArea WithContext(const std::set<int>& states, const std::set<int>& fitted) {
    MapArea area{false, {states.begin(), states.end()}, {}, {fitted.begin(), fitted.end()}};
    for (const MapShape& other : MapStateShapes()) {
        if (states.contains(other.id)) continue;
        if (fitted.contains(other.id)) {
            area.context.push_back(other.id); // shown whole, not by county
            continue;
        }
        for (const int state : fitted)
            if (StatesBorder(state, other.id)) {
                area.context.push_back(other.id);
                break;
            }
    }
    return area;
}

// The states of the counties worked that the map has shapes for.
std::set<int> StatesWorked(const CountyQsoCounts& counts) {
    std::set<int> states;
    for (const auto& [id, qsos] : counts)
        if (qsos > 0 && DrawnAsShapeId(id) >= 0) states.insert(DrawnAsShapeId(id) / 1000);
    return states;
}

} // namespace

bool SelectionHasMap(Selection selection) {
    return !selection.IsValid() || selection.IsParty() || MapStateNumber(selection.Code()) >= 0;
}

MapArea MapAreaOfSelection(Selection selection, const AbbrevList* list, const CountyQsoCounts& counts,
                           const std::set<int>& entryStates) {
    if (selection.IsValid() && !selection.IsParty()) {
        const int state = MapStateNumber(selection.Code());
        if (state >= 0) return WithContext({state}, {state});
    }
    std::set<int> states, fitted;
    const auto addCounty = [&states, &fitted](int countyId) {
        if (!FindMapShape(MapStateShapes(), countyId / 1000)) return;
        fitted.insert(countyId / 1000);
        if (IsGazetteerCountyId(countyId)) states.insert(countyId / 1000);
    };
    if (selection.IsValid() && selection.IsParty())
        SearchInOrder(selection, list, [&addCounty](const SearchPlace& place) {
            if (place.list != nullptr)
                for (const AbbrevListRow& row : place.list->rows()) addCounty(row.countyId);
            else
                for (const AbbrevEntry& row : place.table->rows) addCounty(row.countyId);
            return false;
        });
    // A regional party: its states; a nationwide one (or one without tables of its own): the country.
    if (!fitted.empty() && 2 * fitted.size() <= MapStateShapes().size()) return WithContext(states, fitted);
    if (selection.IsValid() && selection.IsParty()) return WholeCountry();
    // No Selection: the region worked.
    states = StatesWorked(counts);
    fitted = states;
    fitted.insert(entryStates.begin(), entryStates.end());
    if (fitted.empty() || fitted.contains(kAlaska) || fitted.contains(kHawaii)) return WholeCountry();
    return WithContext(states, fitted);
}

} // namespace shirl
