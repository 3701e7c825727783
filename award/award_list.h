#pragma once
// The award's counties by number (0 to 3,076, the order of
// data/usaca/counties.csv) and what a gazetteer county counts as: an award
// county, an Alaska district, or a place that may be claimed for one of the
// counties around it.
#include <span>
#include <string>
#include <string_view>

#include "data/usaca_tables.h"

namespace shirl {

inline constexpr int kNotAwardCounty = -1;

// How many counties the award has (3,077).
int AwardCountyCount();

// The award county number `index`.
const UsacaCounty& AwardCounty(int index);

// "AL,Autauga", "AK,First Judicial District": the county as CNTY writes it.
std::string AwardCntyValue(int index);

// The award county a gazetteer county counts as (an Alaska borough: its
// district), or kNotAwardCounty (a claimable place, DC, a territory).
int AwardIndexOfCounty(int countyId);

// The award county of Alaska's district 0-3.
int AwardIndexOfDistrict(int district);

// The claimable place with this gazetteer id, or nullptr.
const UsacaClaimable* ClaimablePlace(int countyId);

// The state's name ("Alabama") of a two-letter code of the award's states.
std::string_view AwardStateName(std::string_view stateCode);

} // namespace shirl
