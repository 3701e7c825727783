#pragma once
// The contest abbreviation tables, the ARRL/RAC section table and the
// Canadian province codes and aliases. All constant, generated at build
// time from the CSV files in data/.
#include <cstdint>
#include <span>
#include <string_view>

#include "data/gazetteer.h"
#include "data/selections.h"
#include "data/table_ids.h" // generated from data/abbrev/tables.csv

namespace shirl {

// Where a row of a table comes from (recorded in the CSV files so that a
// reviewer can tell a verified row from a derived one).
enum class RowOrigin : std::uint8_t {
    Rule,     // the table's rule form, made from the county name
    Listed,   // an exception given for this table (state tables)
    Named,    // nationwide tables: an abbreviation known from the contest
    Resolved, // nationwide tables: a rule-form collision resolved by us
    Given,    // short tables given row by row
};

struct AbbrevEntry {
    std::string_view abbreviation;
    int countyId;
    RowOrigin origin;
};

struct AbbrevTable {
    std::string_view name;             // "Alabama table"
    std::span<const AbbrevEntry> rows; // ascending unsigned byte order
    bool independentCities = false;    // the rows name independent cities, not counties
};

// The table with this id (a value outside the enum gets an empty table).
const AbbrevTable& GetAbbrevTable(TableId id);
std::span<const AbbrevTable> AllAbbrevTables(); // indexed by TableId

// Binary search of one table (unsigned byte order), then FindCounty of the
// county id of the row found. nullptr when not found or the id names no county.
const GazetteerRow* SearchAbbrevTable(std::string_view abbreviation, const AbbrevTable& table);
// The row itself (for inspection and tests), or nullptr.
const AbbrevEntry* FindAbbrevEntry(std::string_view abbreviation, const AbbrevTable& table);

// The tables that a Selection searches, in the order the lookup tries them.
// The Nevada and Virginia independent-city tables appear where the lookup
// tries them for an independent city. Empty for a Selection without tables
// (the lookup answers "unsupported") and for no valid Selection.
std::span<const TableId> TablesForSelection(Selection selection);

struct SectionEntry {
    std::string_view section;
    std::string_view state; // empty: the section maps to no US state
};
std::span<const SectionEntry> SectionTable(); // 90 rows, ascending

std::span<const std::string_view> CanadianProvinceCodes(); // 13, fixed order

struct CanadianAlias {
    std::string_view alias;
    std::string_view province;
};
std::span<const CanadianAlias> CanadianAliases(); // 15, fixed order

} // namespace shirl
