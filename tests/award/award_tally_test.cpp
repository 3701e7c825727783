// The tally: who counts as a US station, which confirmations count from the
// sources chosen, the band and mode filters, USACA_COUNTIES and a claim.
#include <gtest/gtest.h>

#include <vector>

#include "award/award_list.h"
#include "award/award_report.h"
#include "award/award_tally.h"

namespace shirl {
namespace {

TEST(AwardTallyTest, UsStationsByDxccElseByCallsign) {
    struct Case {
        const char* call;
        const char* dxcc;
        bool us;
    };
    const Case cases[] = {
        {"W1AW", "", true},     {"KL7XX", "", true},   {"KH6XX", "", true},   {"AA1A", "", true},
        {"AL7A", "", true},     {"NP4A", "", false},   {"KH2A", "", false},   {"AM1A", "", false},
        {"G4ABC", "", false},   {"VE3/W1AW", "", false}, {"W1AW/VE3", "", false}, {"G4ABC", "291", true},
        {"W1AW", "223", false}, {"KL7XX", "6", true},  {"KH6XX", "110", true}, {"", "", false},
    };
    for (const Case& c : cases) {
        AwardQso qso;
        qso.call = c.call;
        qso.dxcc = c.dxcc;
        EXPECT_EQ(IsUsStation(qso), c.us) << c.call << " " << c.dxcc;
    }
}

AwardQso Qso(const char* cnty, const char* band, const char* mode) {
    AwardQso qso;
    qso.call = "W1AW";
    qso.qsoDate = "20240101";
    qso.cnty = cnty;
    qso.band = band;
    qso.mode = mode;
    return qso;
}

TEST(AwardTallyTest, ConfirmationsBandsModesAndCountyLines) {
    std::vector<AwardQso> qsos = {Qso("AL,Autauga", "20M", "CW"), Qso("AL,Baldwin", "40m", "SSB"),
                                  Qso("AL,Barbour", "20m", "FT8"), Qso("", "20m", "USB"),
                                  Qso("AL,Bibb", "", "CW")};
    qsos[0].lotwQslRcvd = "Y";
    qsos[1].qslRcvd = "v";
    qsos[2].eqslQslRcvd = "R";
    qsos[3].usacaCounties = "AL,Blount:AL,Bullock";
    qsos[3].qslRcvd = "Y";
    qsos[4].freq = "7.030";
    struct Case {
        AwardOptions options;
        int worked, confirmed;
    };
    const Case cases[] = {
        {AwardOptions{}, 6, 4},
        {AwardOptions{kConfirmLotw, "", "", {}}, 6, 1},
        {AwardOptions{kConfirmCard, "", "", {}}, 6, 3},
        {AwardOptions{kConfirmEqsl, "", "", {}}, 6, 0},
        {AwardOptions{kConfirmAll, "20m", "", {}}, 4, 3},
        {AwardOptions{kConfirmAll, "40m", "", {}}, 2, 1},
        {AwardOptions{kConfirmAll, "", "PHONE", {}}, 3, 3},
        {AwardOptions{kConfirmAll, "", "DATA", {}}, 1, 0},
    };
    for (const Case& c : cases) {
        AwardTally tally(c.options);
        for (const AwardQso& qso : qsos) tally.Add(qso);
        EXPECT_EQ(WorkedCount(tally), c.worked) << c.options.band << c.options.modeFamily << c.options.sources;
        EXPECT_EQ(ConfirmedCount(tally), c.confirmed) << c.options.band << c.options.modeFamily << c.options.sources;
    }
}

TEST(AwardTallyTest, TheFirstQsoOfACountyAndAClaimedCity) {
    AwardOptions options;
    options.claims[51770] = AwardIndexOfCounty(51161); // Roanoke city for Roanoke County
    AwardTally tally(options);
    AwardQso later = Qso("VA,Roanoke City", "20m", "CW");
    later.qsoDate = "20240301";
    AwardQso earlier = Qso("VA,Roanoke", "40m", "CW");
    earlier.qsoDate = "20240201";
    tally.Add(later);
    tally.Add(earlier);
    const CountyCredit& roanoke = tally.Counties()[static_cast<std::size_t>(AwardIndexOfCounty(51161))];
    EXPECT_EQ(roanoke.worked.date, "20240201");
    EXPECT_EQ(roanoke.worked.band, "40m");
    ASSERT_EQ(tally.Claimable().count(51770), 1u);
    EXPECT_EQ(tally.Claimable().at(51770).qsos, 1);
}

} // namespace
} // namespace shirl
