#pragma once
// Former and newer county names (data/county_aliases.csv): a name the
// gazetteer of 2010 does not hold, or holds for another time, and the
// gazetteer county it stands for, by the date of a QSO where that matters
// (Bedford city, an independent city until 1 July 2013).
#include <span>
#include <string_view>

namespace shirl {

struct CountyAlias {
    std::string_view stateCode; // "AK"
    std::string_view name;      // "Wade Hampton"
    int countyId;               // the gazetteer county it stands for
    int fromDate;               // YYYYMMDD from which it does, 0: always before untilDate
    int untilDate;              // YYYYMMDD before which it does, 0: from fromDate on
};

// Every alias, in the file's order.
std::span<const CountyAlias> CountyAliases();

// The gazetteer county id that `name` (any spelling CountyNameKey equates,
// a "County"/"Borough"/"Census Area" suffix not included) of the state
// `stateCode` (upper case) stands for on `qsoDate` (YYYYMMDD; 0 when not
// known: the first row of that name), or -1 when it is no alias.
int FindCountyAlias(std::string_view stateCode, std::string_view name, int qsoDate);

} // namespace shirl
