// Access to the generated abbreviation tables and their
// binary search.
#include "data/abbrev_tables.h"

#include "data/reference_data.h"

namespace shirl {

const AbbrevTable& GetAbbrevTable(TableId id) {
    static constexpr AbbrevTable kNoTable{"", {}};
    const auto all = AllAbbrevTables();
    const auto index = static_cast<std::size_t>(id);
    return index < all.size() ? all[index] : kNoTable; // a value outside the enum finds nothing
}

const AbbrevEntry* FindAbbrevEntry(std::string_view abbreviation, const AbbrevTable& table) {
    // Binary search in unsigned byte order, the midpoint rounded down; the
    // first match is final (a shared abbreviation answers with that row).
    long low = 0;
    long high = static_cast<long>(table.rows.size()) - 1;
    while (low <= high) {
        const long mid = (low + high) / 2;
        const AbbrevEntry& row = table.rows[static_cast<std::size_t>(mid)];
        const int c = detail::CompareBytes(abbreviation, row.abbreviation);
        if (c < 0) {
            high = mid - 1;
        } else if (c > 0) {
            low = mid + 1;
        } else {
            return &row;
        }
    }
    return nullptr;
}

const GazetteerRow* SearchAbbrevTable(std::string_view abbreviation, const AbbrevTable& table) {
    const AbbrevEntry* row = FindAbbrevEntry(abbreviation, table);
    return row ? FindCounty(row->countyId) : nullptr;
}

std::span<const TableId> TablesForSelection(Selection selection) {
    const auto all = detail::SelectionInfos();
    if (!selection.IsValid()) return {};
    return all[static_cast<std::size_t>(selection.Index())].tables;
}

} // namespace shirl
