#include "cabrillo/frequency.h"

#include <algorithm>
#include <cstdint>

#include "base/text_util.h"
#include "data/bands.h"

namespace shirl {

CabrilloFrequency ReadCabrilloFrequency(std::string_view word) {
    CabrilloFrequency out;
    if (const BandEntry* entry = BandOfCabrilloDesignator(word)) {
        out.valid = true;
        out.band = entry->band;
        return out;
    }
    // kHz: up to nine digits, then up to three decimals (Hz).
    const std::size_t dot = word.find('.');
    const std::string_view whole = word.substr(0, dot);
    const std::string_view part = dot == std::string_view::npos ? std::string_view() : word.substr(dot + 1);
    const auto digits = [](std::string_view t) { return std::all_of(t.begin(), t.end(), IsAsciiDigit); };
    if (whole.empty() || whole.size() > 9 || !digits(whole) || part.size() > 3 || !digits(part) ||
        (dot != std::string_view::npos && part.empty()))
        return out;
    std::int64_t hz = ReadDecimal(whole) * 1000;
    std::int64_t scale = 100;
    for (const char c : part) {
        hz += (c - '0') * scale;
        scale /= 10;
    }
    if (hz == 0) return out;
    // MHz: the kHz digits with the point moved three places left.
    const std::size_t lead = whole.find_first_not_of('0');
    std::string khz(lead == std::string_view::npos ? std::string_view() : whole.substr(lead));
    if (khz.size() < 4) khz.insert(0, 4 - khz.size(), '0');
    out.freq = khz.substr(0, khz.size() - 3) + "." + khz.substr(khz.size() - 3) + std::string(part);
    // A frequency in no band is a mistake (MHz written for kHz, a digit
    // lost): the line is not guessed at.
    out.band = BandOfFrequency(hz);
    out.valid = !out.band.empty();
    return out;
}

} // namespace shirl
