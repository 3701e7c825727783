#include "app/service/map_file.h"

#include "files/whole_file.h"
#include "map/county_map.h"

namespace shirl {

std::string CountyMapSvg(const ConvertOutcome& outcome) {
    return RenderCountyMap(outcome.selection, outcome.list ? &*outcome.list : nullptr, outcome.countyQsos,
                           outcome.otherCntyQsos);
}

bool WriteCountyMap(const std::string& name, const ConvertOutcome& outcome) {
    return WriteWholeFile(name, CountyMapSvg(outcome));
}

} // namespace shirl
