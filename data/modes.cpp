// Look-ups in the generated mode table.
#include "data/modes.h"

#include <algorithm>
#include <string>

#include "base/text_util.h"

namespace shirl {

std::string_view ModeFamilyOf(std::string_view mode) {
    if (mode.empty() || mode.size() > 32) return {};
    std::string upper(mode);
    for (char& c : upper) c = ToAsciiUpper(c);
    const auto table = ModeFamilyTable();
    const auto it = std::lower_bound(table.begin(), table.end(), std::string_view(upper),
                                     [](const ModeFamilyEntry& e, std::string_view key) { return e.mode < key; });
    return it != table.end() && it->mode == upper ? it->family : std::string_view();
}

} // namespace shirl
