// The frequency word of a Cabrillo QSO line: the FREQ and BAND it gives.
#include <gtest/gtest.h>

#include <string_view>

#include "cabrillo/frequency.h"

namespace shirl {
namespace {

TEST(Cabrillo, FrequencyWordGivesFreqAndBand) {
    const struct {
        std::string_view word;
        bool valid;
        std::string_view freq, band;
    } cases[] = {
        {"14035", true, "14.035", "20m"},   {"7040.5", true, "7.0405", "40m"}, {"0472", true, "0.472", "630m"},
        {"146520", true, "146.520", "2m"},  {"50", true, "", "6m"},           {"2.3g", true, "", "13cm"},
        {"14000", true, "", "20m"},         {"14.035", false, "", ""},        {"LIGHT", false, "", ""},
        {"9999999999", false, "", ""},      {"7040.", false, "", ""},         {"7O40", false, "", ""},
    };
    for (const auto& c : cases) {
        const CabrilloFrequency f = ReadCabrilloFrequency(c.word);
        EXPECT_EQ(f.valid, c.valid) << c.word;
        if (!c.valid) continue;
        EXPECT_EQ(f.freq, c.freq) << c.word;
        EXPECT_EQ(f.band, c.band) << c.word;
    }
}

} // namespace
} // namespace shirl
