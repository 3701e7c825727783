#pragma once
// A county as a logbook spells it, resolved to the gazetteer without
// guessing: "IN,DE KALB // DeKalb", "MD,PRINCE GEORGES", "NC, Cabarrus",
// "VA,Salem City", "FL,Miami Dade County", a bare "Cabarrus" with the
// record's STATE, ADIF's Alaska names and former or newer names by the QSO's
// date (data/county_aliases.csv). Letter case, blanks, dots, hyphens,
// apostrophes, Saint/St./Ste., East/E. and a County, Parish, Borough, Census
// Area, Municipality or "City and Borough" suffix do not matter; "city"
// matters only where a county and a city share the name (VA,Fairfax).
#include <string>
#include <string_view>
#include <vector>

namespace shirl {

struct SpelledCounty {
    int countyId = -1;      // the gazetteer county, -1: none
    int alaskaDistrict = -1; // 0-3: an Alaska judicial district named as such
    std::string stateCode;  // the state as written, upper case ("" when none)
    std::string nearest;    // without a county: the closest name of that state ("CT,Fairfield"), or ""
    bool byDate = false;    // the answer depends on the QSO's date
    bool Resolved() const { return countyId >= 0 || alaskaDistrict >= 0; }
};

// Resolves a CNTY value (or one county of USACA_COUNTIES), its state from
// the value or, for a bare name, from `stateField`; `qsoDate` YYYYMMDD or 0.
SpelledCounty ResolveCountySpelling(std::string_view value, std::string_view stateField, int qsoDate);

} // namespace shirl
