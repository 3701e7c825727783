#pragma once
// The gazetteer searched by state code and county name, as an operator's
// list names a county: spellings that differ only in letter case, blanks,
// punctuation or a written-out "Saint" find the gazetteer's county.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace shirl {

// Whether any gazetteer row has this state code (exact, upper case).
bool IsGazetteerState(std::string_view stateCode);

// The key two spellings of one county name share: ASCII letters in upper
// case, the ignored characters of data/county_name_forms.csv dropped, each
// word in its gazetteer form ("Saint Clair" and "St. Clair": "STCLAIR").
std::string CountyNameKey(std::string_view name);

struct NamedCounty {
    std::string_view name;
    int countyId;
};

struct CountyNameMatch {
    int countyId = -1;                     // -1: no county, or more than one
    std::vector<std::string_view> closest; // without a county: the likeliest names, at most 3
};

// Matches `name` against one state's `counties`: the same name in any letter
// case, else the same CountyNameKey. Two counties sharing the key are no
// match, and both are offered as the closest.
CountyNameMatch MatchCountyName(std::span<const NamedCounty> counties, std::string_view name);

// MatchCountyName over the gazetteer's counties of `stateCode` (upper case).
CountyNameMatch MatchGazetteerCounty(std::string_view stateCode, std::string_view name);

// The county id MatchGazetteerCounty finds, or -1.
int FindCountyIdByName(std::string_view stateCode, std::string_view name);

// The county a CNTY value ("AL,Autauga", "AK,Anchorage") names, its state
// code and its name in any letter case, blanks around either ignored, the
// name matched as MatchGazetteerCounty does or as the county's own CNTY value
// writes it (ADIF's Alaska names), or a former or newer name of
// data/county_aliases.csv (AK,Wade Hampton, AK,Chugach); -1 for none.
int FindCountyIdByCntyValue(std::string_view value);

// Whether a gazetteer row has this county id.
bool IsGazetteerCountyId(int countyId);

} // namespace shirl
