#pragma once
// The US county gazetteer (3235 rows, FIPS order) and the county index that
// turns a county id (state FIPS * 1000 + county FIPS) into its row.
#include <span>
#include <string_view>

namespace shirl {

struct GazetteerRow {
    std::string_view stateCode;  // "AL"
    int stateNumber;             // FIPS state code, 1 for AL
    int countyNumber;            // FIPS county code within the state
    std::string_view countyName; // as written into CNTY after "ST,"
    std::string_view cntyValue;  // "AL,Autauga": the whole CNTY value, a constant to point at
};

// The county id of a row: state FIPS * 1000 + county FIPS (1001: Autauga, AL).
constexpr int CountyId(const GazetteerRow& row) { return row.stateNumber * 1000 + row.countyNumber; }

// The whole gazetteer, in FIPS order.
std::span<const GazetteerRow> Gazetteer();

// The row of the county with this id, or nullptr when no row has it (9000,
// the Connecticut regions, and any id out of range). The index is a constant
// table: usable from the program's first instruction.
const GazetteerRow* FindCounty(int countyId);

} // namespace shirl
