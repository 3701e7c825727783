#pragma once
// The 61 Selections (0..53 states/provinces/regions in byte order of code,
// 54..60 the QSO parties), the dialog's display order and the 54 codes.
#include <span>
#include <string_view>

namespace shirl {

inline constexpr int kSelectionCount = 61;
inline constexpr int kStateSelectionCount = 54;  // 0..53
inline constexpr int kDisplayRowCount = 53;

// Code of Selection s (0..60): "AL", "NAQP", ... Empty for s out of range.
std::string_view SelectionCode(int s);
// Display name of Selection s: "Alabama", "North American QSO Party", ...
std::string_view SelectionName(int s);
// Selection index of a code (any letter case), or -1.
int FindSelectionByCode(std::string_view code);

// The 53 selection indices in the order the dialog lists them.
std::span<const int> DisplayOrder();
// The 54 codes of Selections 0..53, strictly ascending in byte order.
std::span<const std::string_view> StateSelectionCodes();

} // namespace shirl
