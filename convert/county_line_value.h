#pragma once
// A county line written in one value: "DAD/BRO" names two counties, as two
// county fields would.
#include <optional>
#include <string_view>
#include <vector>

#include "data/abbrev_list.h"
#include "data/selections.h"

namespace shirl {

// The parts of a worked station's county value joined by "/", when there
// are two to eight and each part alone resolves to a county of `selection`
// while the whole value does not; otherwise none. `callsign` is the CALL
// seen before the field, as for ResolveCountyField. The parts are views of
// `value`, in its letter case.
std::vector<std::string_view> CountyLineParts(std::string_view value, Selection selection,
                                              std::optional<std::string_view> callsign,
                                              const AbbrevList* list = nullptr);

} // namespace shirl
