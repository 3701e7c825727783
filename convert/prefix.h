#pragma once
// Callsign prefix extraction: N0CALL/4 -> N4, VE3/N0CALL -> VE3.
#include <string>
#include <string_view>

namespace shirl {

// 0: prefix found and stored in `prefix`; 1: two parts of equal length around
// the last slash; 2: no prefix can be formed. `prefix` is only meaningful on 0.
int ExtractCallsignPrefix(std::string_view callsign, std::string& prefix);

} // namespace shirl
