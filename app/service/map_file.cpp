#include "app/service/map_file.h"

#include "files/whole_file.h"
#include "map/county_map.h"
#include "map/map_area.h"

namespace shirl {

std::optional<Fault> NoMapFault(const ConvertOutcome& outcome) {
    if (SelectionHasMap(outcome.selection)) return std::nullopt;
    return Fault{FaultKind::NoMapOfSelection, std::string(outcome.selection.Name())};
}

std::string CountyMapSvg(const ConvertOutcome& outcome) {
    if (NoMapFault(outcome)) return {};
    return RenderCountyMap(outcome.selection, outcome.list ? &*outcome.list : nullptr, outcome.countyQsos,
                           outcome.otherCntyQsos);
}

bool WriteCountyMap(const std::string& name, const ConvertOutcome& outcome) {
    if (NoMapFault(outcome)) return false;
    return WriteWholeFile(name, CountyMapSvg(outcome));
}

} // namespace shirl
