#pragma once
// The ADIF FREQ and BAND of a Cabrillo frequency word: a frequency in kHz
// ("14035", "7040.5") or a band designator ("50", "144", "2.3G", "14000").
#include <string>
#include <string_view>

namespace shirl {

struct CabrilloFrequency {
    bool valid = false;    // a designator, or a frequency in a band
    std::string freq;      // MHz ("14.035"); empty for a band designator
    std::string_view band; // ADIF band ("20m")
};

// Reads `word`. A designator names only the band: the six HF band
// designators (1800 ... 28000) are read as designators too, never as a
// frequency at the band's lower edge. LIGHT has no ADIF band: not valid.
CabrilloFrequency ReadCabrilloFrequency(std::string_view word);

} // namespace shirl
