#pragma once
// The amateur bands by their ADIF names and edges (data/bands.csv), and the
// band designators Cabrillo logs write in place of a frequency.
#include <cstdint>
#include <span>
#include <string_view>

namespace shirl {

struct BandEntry {
    std::string_view band;     // ADIF band name, lower case ("20m", "70cm")
    std::int64_t lowerHz;      // lower edge
    std::int64_t upperHz;      // upper edge
    std::string_view cabrillo; // Cabrillo designator ("14000", "144", "2.3G"), or empty
};

// Every band, ascending.
std::span<const BandEntry> BandTable();

// The ADIF band of a frequency in hertz (edges included), or empty.
std::string_view BandOfFrequency(std::int64_t hz);

// The band a Cabrillo designator names (any letter case), or nullptr.
const BandEntry* BandOfCabrilloDesignator(std::string_view designator);

} // namespace shirl
