#pragma once
// The US county gazetteer (3235 rows, FIPS order) and the CountyIndex that
// turns a county id (state FIPS * 1000 + county FIPS) into {state, name}.
#include <span>
#include <string_view>

namespace shirl {

struct GazetteerRow {
    std::string_view stateCode;  // "AL"
    int stateNumber;             // FIPS state code, 1 for AL
    int countyNumber;            // FIPS county code within the state
    std::string_view countyName; // as written into CNTY after "ST,"
};

// The whole gazetteer, in FIPS order.
std::span<const GazetteerRow> Gazetteer();

struct CountyRecord {
    std::string_view stateCode;
    std::string_view countyName;
};

// Empties the index and fills it from the gazetteer. Called once per run.
void RebuildCountyIndex();

// The record of the county with this id, or nullptr when no row has it
// (9000, the Connecticut regions, and any id out of range).
const CountyRecord* FindCounty(int countyId);

} // namespace shirl
