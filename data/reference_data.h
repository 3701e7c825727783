#pragma once
// Internal to data/: what the generated tables (data/tools/generate_tables.py)
// hand to the hand-written code. Not for use outside data/ and its tests.
#include <span>
#include <string_view>

#include "data/abbrev_tables.h"

namespace shirl::detail {

struct SelectionInfo {
    std::string_view code;
    std::string_view name;
    std::span<const TableId> tables; // the dispatch table's tables, in order
    bool isParty;                    // a QSO party, not an area
    bool hasSections;                // section names stand for their state
    bool quietForNewEngland;         // New England abbreviations pass silently
};

// The 61 Selections, by selection index.
std::span<const SelectionInfo> SelectionInfos();

// A word a list may write for the gazetteer's own ("SAINT" for "ST").
struct CountyNameWord {
    std::string_view written;   // upper case
    std::string_view gazetteer; // upper case
};

// The characters two spellings of a county name may differ in (blank, '.').
std::string_view CountyNameIgnoredCharacters();
// The words of data/county_name_forms.csv, sorted by `written`.
std::span<const CountyNameWord> CountyNameWords();

// The tables' byte order: bytes compared as unsigned values, a prefix first.
constexpr int CompareBytes(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

// Non-decreasing byte order of the abbreviations of a table.
constexpr bool IsByteOrdered(std::span<const AbbrevEntry> rows) {
    for (std::size_t i = 1; i < rows.size(); ++i)
        if (CompareBytes(rows[i - 1].abbreviation, rows[i].abbreviation) > 0) return false;
    return true;
}

} // namespace shirl::detail
