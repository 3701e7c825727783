#pragma once
// The mode families (data/mode_families.csv): which ADIF modes and submodes
// and Cabrillo mode words are one kind of contact (CW, PHONE, DATA, IMAGE).
#include <span>
#include <string_view>

namespace shirl {

struct ModeFamilyEntry {
    std::string_view mode;   // upper case, as in the table
    std::string_view family; // CW, PHONE, DATA or IMAGE
};

// Every mode of the table, sorted by its bytes.
std::span<const ModeFamilyEntry> ModeFamilyTable();

// The family of a mode or submode in any letter case, or empty when the
// table does not know it.
std::string_view ModeFamilyOf(std::string_view mode);

} // namespace shirl
