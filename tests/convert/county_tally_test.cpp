// QSOs per county from the CNTY values written: the gazetteer's names and
// ADIF's Alaska names in any letter case and blanks; other values by text.
#include <gtest/gtest.h>

#include <string>

#include "convert/county_tally.h"
#include "data/gazetteer.h"

namespace shirl {
namespace {

TEST(CountyTally, CountsEveryValueByCountyOrByText) {
    CountyTally tally;
    for (const char* value : {"AL,Autauga", "al,autauga", "AK,Anchorage", "AK, FAIRBANKS NORTH STAR", "AK,Kusilvak",
                              "AK,Wade Hampton Census Area", "CT,Hartford", " ct , hartford ", "VA,Alexandria city",
                              "CTCAP", "CTCAP", "NY,Nowhere", "", "AK,Wade Hampton", "AK,Chugach", "AK,Copper River"})
        tally.Add(value);
    EXPECT_EQ(tally.Counts(), (std::map<int, std::int64_t>{
                                  {1001, 2}, {2020, 1}, {2090, 1}, {2261, 2}, {2270, 3}, {9003, 2}, {51510, 1}}));
    EXPECT_EQ(tally.OtherValues(), (std::map<std::string, std::int64_t>{{"CTCAP", 2}, {"NY,Nowhere", 1}}));
}

TEST(CountyTally, OtherValuesStayFewAndAreAllCounted) {
    CountyTally tally;
    for (std::size_t i = 0; i < CountyTally::kMostOtherValues + 10; ++i) tally.Add("X" + std::to_string(i));
    tally.Add("X0");
    std::int64_t total = 0;
    for (const auto& [value, qsos] : tally.OtherValues()) total += qsos;
    EXPECT_EQ(tally.OtherValues().size(), CountyTally::kMostOtherValues + 1);
    EXPECT_EQ(tally.OtherValues().at(""), 10);
    EXPECT_EQ(total, static_cast<std::int64_t>(CountyTally::kMostOtherValues) + 11);
}

// Far more values than the cache has slots, in two rounds: each county is
// counted whatever another value took its slot in between.
TEST(CountyTally, EveryCountyCountedWhateverTheCacheHolds) {
    CountyTally tally;
    std::map<int, std::int64_t> expected;
    for (int round = 0; round < 2; ++round)
        for (const GazetteerRow& county : Gazetteer()) {
            tally.Add(county.cntyValue);
            ++expected[CountyId(county)];
        }
    EXPECT_EQ(tally.Counts(), expected);
    EXPECT_TRUE(tally.OtherValues().empty());
}

} // namespace
} // namespace shirl
