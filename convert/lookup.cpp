// Abbreviation lookup by selection.
//
// The dispatch table lives in the data layer (TablesForSelection): the
// tables of a Selection in the order they are tried, the Nevada and Virginia
// independent-city tables included where their step comes. This file adds
// the steps around it: the independent-city message, the Pennsylvania
// section step, the unsupported step and the closing rules.
//
// Hot path: a county found allocates nothing (the message stays empty).
#include "convert/lookup.h"

#include <algorithm>

#include "data/abbrev_tables.h"
#include "data/gazetteer.h"
#include "data/search_order.h"
#include "data/selections.h"

namespace shirl {
namespace {

constexpr std::string_view kMarylandState = "MD";

// The section step: binary search (byte order) of the SectionTable; a row
// without a state counts as no match.
std::string_view FindSectionState(std::string_view abbreviation) {
    const auto sections = SectionTable();
    const auto it = std::lower_bound(
        sections.begin(), sections.end(), abbreviation,
        [](const SectionEntry& row, std::string_view key) { return row.section < key; });
    if (it == sections.end() || it->section != abbreviation) return {};
    return it->state;
}

} // namespace

LookupResult LookupAbbreviation(std::string_view abbreviation, Selection selection, const AbbrevList* list) {
    LookupResult result;

    // The operator's list comes first; a replacing list takes the place of
    // the county tables (the independent-city tables, which name no county,
    // stay).
    const bool found = SearchInOrder(selection, list, [&](const SearchPlace& place) {
        if (place.list != nullptr) {
            const AbbrevListRow* row = place.list->Find(abbreviation);
            const GazetteerRow* record = row != nullptr ? FindCounty(row->countyId) : nullptr;
            if (record == nullptr) return false;
            result.kind = LookupResult::Kind::County;
            result.county = record;
            return true;
        }
        const AbbrevTable& table = *place.table;
        const GazetteerRow* record = SearchAbbrevTable(abbreviation, table);
        if (record == nullptr) return false;
        if (table.independentCities) {
            result.kind = LookupResult::Kind::State;
            result.state = record->stateCode;
            result.city = record;
            result.message.reserve(abbreviation.size() + record->countyName.size() +
                                   record->stateCode.size() + 48);
            result.message.append(abbreviation)
                .append(" is the independent city of ")
                .append(record->countyName)
                .append(", ")
                .append(record->stateCode)
                .append(" (not a county).");
            return true;
        }
        result.kind = LookupResult::Kind::County;
        result.county = record;
        return true;
    });
    if (found) return result;

    if (selection.HasSections()) {
        const std::string_view state = FindSectionState(abbreviation);
        if (!state.empty()) {
            result.kind = LookupResult::Kind::State;
            result.state = state;
            return result;
        }
    }

    // A Selection without tables says so. (No valid Selection has no code
    // and gets no message; it only reaches the closing rules.)
    if (selection.IsValid() && TablesForSelection(selection).empty() && list == nullptr) {
        result.message.append(selection.Code()).append(" is unsupported at this time.");
    }

    // Closing rules: MDC stands for Maryland, DC for no state.
    if (abbreviation == "MDC") {
        result.kind = LookupResult::Kind::State;
        result.state = kMarylandState;
    } else if (abbreviation == "DC") {
        result.message.assign(abbreviation).append(" is not a US state.");
    }
    return result;
}

} // namespace shirl
