#pragma once
// The USA Counties award's reference data (data/usaca/): its 3,077 counties,
// Alaska's boroughs by judicial district and the places in no award county
// with the counties each may be claimed for.
#include <span>
#include <string_view>

namespace shirl {

struct UsacaCounty {
    std::string_view stateCode; // "AL"
    std::string_view name;      // as CNTY writes it after "ST,": "Autauga", "First Judicial District"
    int countyId;               // the gazetteer county, -1 for an Alaska district
};

// The award's counties: state by state in FIPS order, each state's in FIPS
// order, Alaska's four districts in their order.
std::span<const UsacaCounty> UsacaCounties();

struct UsacaBorough {
    int countyId;               // the gazetteer's Alaska borough or census area
    std::string_view district;  // "First Judicial District"
};

// Alaska's boroughs and census areas of the gazetteer, each with its district.
std::span<const UsacaBorough> UsacaBoroughs();

struct UsacaClaimable {
    int countyId;                 // the gazetteer row of the place (51510: Alexandria city)
    std::string_view place;       // "Alexandria city"
    std::span<const int> counties; // the award counties it may be claimed for, ascending
    bool throughCities;           // it touches only such places; `counties` adjoin those
};

// Virginia's independent cities, Carson City and DC, ascending by id.
std::span<const UsacaClaimable> UsacaClaimablePlaces();

} // namespace shirl
