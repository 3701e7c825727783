#pragma once
// The Selections: the states, provinces and regions (in byte order of their
// codes) and then the QSO parties, the dialog's display order, and the codes
// a log may write for an area.
#include <optional>
#include <span>
#include <string_view>

namespace shirl {

// One Selection: which contest's abbreviations a log uses. A value type over
// the row of data/selections.csv; Selection() is no Selection. The named
// constants (selections::kAL, selections::k7QP, ...) come from the same file.
class Selection {
public:
    constexpr Selection() = default;
    constexpr explicit Selection(int index) : m_index(index) {}

    // The row of data/selections.csv; -1 for no Selection.
    constexpr int Index() const { return m_index; }
    // Whether this names one of the Selections.
    bool IsValid() const;
    // "AL", "NAQP", ...; empty when not valid.
    std::string_view Code() const;
    // "Alabama", "North American QSO Party", ...; empty when not valid.
    std::string_view Name() const;
    // A QSO party spanning several areas, not a state, province or region.
    bool IsParty() const;
    // ARRL/RAC section names stand for their state.
    bool HasSections() const;
    // Abbreviations of the New England QSO Party pass without a warning.
    bool QuietForNewEngland() const;

    friend constexpr bool operator==(Selection, Selection) = default;

private:
    int m_index = -1;
};

// The Selection with this code (any letter case), or nullopt.
std::optional<Selection> FindSelectionByCode(std::string_view code);

// The Selections in the order the dialog lists them.
std::span<const Selection> DisplayOrder();
// The codes of the area Selections (states, provinces and regions),
// strictly ascending in byte order.
std::span<const std::string_view> AreaSelectionCodes();

} // namespace shirl

#include "data/selection_ids.h" // generated: kSelectionCount and selections::k<CODE>
