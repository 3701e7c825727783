#pragma once
// What the award command writes from a tally: the report's lines, the
// counties still needed and every county with its first QSOs, as CSV.
#include <string>
#include <vector>

#include "award/award_tally.h"

namespace shirl {

// The report: worked and confirmed of the award's counties, per state and
// per band, the values that counted nothing (with the nearest name), the
// QSOs in claimable places with the counties they may be claimed for (those
// still needed marked *).
std::vector<std::string> AwardReportLines(const AwardTally& tally);

// "state,county" and one row for each county not yet worked (`confirmed`:
// not yet confirmed), state by state, as CNTY writes it ("AL,Autauga").
std::string NeededCsv(const AwardTally& tally, bool confirmed);

// One row for each award county: state, county, then call, date, band and
// mode of its first worked and its first confirmed QSO (empty when none).
std::string CountiesCsv(const AwardTally& tally);

// How many award counties the tally has worked, and confirmed.
int WorkedCount(const AwardTally& tally);
int ConfirmedCount(const AwardTally& tally);

} // namespace shirl
