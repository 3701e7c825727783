// Look-ups in the generated band table.
#include "data/bands.h"

#include "base/text_util.h"

namespace shirl {

std::string_view BandOfFrequency(std::int64_t hz) {
    for (const BandEntry& entry : BandTable())
        if (hz >= entry.lowerHz && hz <= entry.upperHz) return entry.band;
    return {};
}

const BandEntry* BandOfCabrilloDesignator(std::string_view designator) {
    if (designator.empty()) return nullptr;
    for (const BandEntry& entry : BandTable())
        if (EqualsNoCase(designator, entry.cabrillo)) return &entry;
    return nullptr;
}

} // namespace shirl
