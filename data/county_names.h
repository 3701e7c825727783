#pragma once
// The gazetteer searched by state code and county name, as an operator's
// list names a county.
#include <string_view>

namespace shirl {

// Whether any gazetteer row has this state code (exact, upper case).
bool IsGazetteerState(std::string_view stateCode);

// The county id of the county `name` (any letter case) in state `stateCode`
// (upper case), or -1.
int FindCountyIdByName(std::string_view stateCode, std::string_view name);

// Whether a gazetteer row has this county id.
bool IsGazetteerCountyId(int countyId);

} // namespace shirl
