// The spellings logbooks write for a county, as one table: those of the
// shared sample logs (LoTW's upper case with a comment, N3FJP's), QRZ.com's,
// suffixes, Saint and East, aliases by date, Alaska's districts, and values
// that name no county with the nearest name.
#include <gtest/gtest.h>

#include <string>

#include "award/county_spelling.h"
#include "data/gazetteer.h"

namespace shirl {
namespace {

struct Spelling {
    const char* value;
    const char* state; // the record's STATE
    int date;
    const char* county;  // the gazetteer's CNTY value, "District N" for a district, "" for none
    const char* nearest; // without a county
};

std::string Answer(const SpelledCounty& county) {
    if (county.alaskaDistrict >= 0) return "District " + std::to_string(county.alaskaDistrict + 1);
    const GazetteerRow* row = county.countyId >= 0 ? FindCounty(county.countyId) : nullptr;
    return row != nullptr ? std::string(row->cntyValue) : "";
}

TEST(CountySpellingTest, EverySpellingOfTheTable) {
    const Spelling spellings[] = {
        {"IN,DE KALB // DeKalb", "", 0, "IN,DeKalb", ""},
        {"GA,DEKALB // DeKalb", "", 0, "GA,DeKalb", ""},
        {"AL,DeKalb County", "", 0, "AL,De Kalb", ""},
        {"LA,SAINT TAMMANY // St. Tammany", "", 0, "LA,St. Tammany", ""},
        {"AZ,MARICOPA // Maricopa", "", 0, "AZ,Maricopa", ""},
        {"MD,PRINCE GEORGES", "", 0, "MD,Prince George's", ""},
        {"MD,Prince George's County", "", 0, "MD,Prince George's", ""},
        {"VA,VIRGINIA BEACH CITY", "", 0, "VA,Virginia Beach city", ""},
        {"VA,Virginia Beach", "", 0, "VA,Virginia Beach city", ""},
        {"VA,Fairfax", "", 0, "VA,Fairfax", ""},
        {"VA,Fairfax City", "", 0, "VA,Fairfax city", ""},
        {"VA,James City County", "", 0, "VA,James City", ""},
        {"NC, Cabarrus", "", 0, "NC,Cabarrus", ""},
        {"VA,Salem City", "", 0, "VA,Salem city", ""},
        {"Thurston", "WA", 0, "WA,Thurston", ""},
        {" cabarrus ", "nc", 0, "NC,Cabarrus", ""},
        {"FL,Miami Dade", "", 0, "FL,Miami-Dade", ""},
        {"LA,East Baton Rouge Parish", "", 0, "LA,E. Baton Rouge", ""},
        {"MO,Ste. Genevieve", "", 0, "MO,Ste. Genevieve", ""},
        {"MO,Saint Louis City", "", 0, "MO,St. Louis City", ""},
        {"MO,St Louis", "", 0, "MO,St. Louis", ""},
        {"MD,Baltimore city", "", 0, "MD,Baltimore City", ""},
        {"NV,Carson City", "", 0, "NV,Carson City", ""},
        {"AK,Anchorage Municipality", "", 0, "AK,Anchorage", ""},
        {"AK,Juneau City and Borough", "", 0, "AK,Juneau", ""},
        {"AK,Wade Hampton Census Area", "", 0, "AK,Kusilvak", ""},
        {"AK,Copper River", "", 20210101, "AK,Valdez-Cordova", ""},
        {"AK,Second Judicial District", "", 0, "District 2", ""},
        {"SD,Oglala Lakota County", "", 0, "SD,Shannon", ""},
        {"VA,Bedford City", "", 20120101, "VA,Bedford city", ""},
        {"VA,Bedford City", "", 20140101, "VA,Bedford", ""},
        {"TX,Travsi", "", 0, "", "TX,Travis"},
        {"CT,Capitol Planning Region", "", 0, "", ""},
        {"XX,Travis", "", 0, "", ""},
        {"Middlesex", "", 0, "", ""},
        {"AL,", "", 0, "", ""},
        {"// only a comment", "", 0, "", ""},
    };
    for (const Spelling& s : spellings) {
        const SpelledCounty county = ResolveCountySpelling(s.value, s.state, s.date);
        EXPECT_EQ(Answer(county), s.county) << s.value;
        if (!county.Resolved()) {
            EXPECT_EQ(county.nearest, s.nearest) << s.value;
        }
    }
}

} // namespace
} // namespace shirl
