#include "map/map_area.h"

#include <set>

#include "data/abbrev_tables.h"
#include "data/contest_ids.h"
#include "data/gazetteer.h"
#include "data/map_shapes.h"

namespace shirl {
namespace {

MapArea WholeCountry() {
    MapArea area;
    area.wholeCountry = true;
    for (const MapShape& state : MapStateShapes()) area.states.push_back(state.id);
    return area;
}

// The state FIPS number of a state code of the map, or -1.
int MapStateNumber(std::string_view code) {
    for (const GazetteerRow& row : Gazetteer())
        if (row.stateCode == code) return FindMapShape(MapStateShapes(), row.stateNumber) ? row.stateNumber : -1;
    return -1;
}

} // namespace

MapArea MapAreaOfSelection(Selection selection) {
    if (!selection.IsValid()) return WholeCountry();
    if (!selection.IsParty()) {
        const int state = MapStateNumber(selection.Code());
        if (state < 0) return WholeCountry();
        return MapArea{false, {state}};
    }
    std::set<int> states;
    for (const TableId table : TablesForSelection(selection))
        for (const AbbrevEntry& row : GetAbbrevTable(table).rows)
            if (FindMapShape(MapStateShapes(), row.countyId / 1000)) states.insert(row.countyId / 1000);
    // A nationwide party (its tables span most states): the whole country.
    if (states.empty() || 2 * states.size() > MapStateShapes().size()) return WholeCountry();
    return MapArea{false, {states.begin(), states.end()}};
}

std::string MapTitleOfSelection(Selection selection) {
    return selection.IsValid() ? PartyName(selection) : "Counties worked";
}

} // namespace shirl
