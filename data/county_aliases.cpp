#include "data/county_aliases.h"

#include "data/county_names.h"

namespace shirl {

int FindCountyAlias(std::string_view stateCode, std::string_view name, int qsoDate) {
    const std::string key = CountyNameKey(name);
    if (key.empty()) return -1;
    for (const CountyAlias& alias : CountyAliases()) {
        if (alias.stateCode != stateCode || CountyNameKey(alias.name) != key) continue;
        if (qsoDate == 0) return alias.countyId;
        if ((alias.fromDate == 0 || qsoDate >= alias.fromDate) && (alias.untilDate == 0 || qsoDate < alias.untilDate))
            return alias.countyId;
    }
    return -1;
}

} // namespace shirl
