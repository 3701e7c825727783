// The Selections. The data is generated from data/selections.csv
// and data/display_order.csv.
#include "data/selections.h"

#include "data/reference_data.h"

namespace shirl {

std::string_view SelectionCode(int s) {
    const auto all = detail::SelectionInfos();
    if (s < 0 || s >= static_cast<int>(all.size())) return {};
    return all[static_cast<std::size_t>(s)].code;
}

std::string_view SelectionName(int s) {
    const auto all = detail::SelectionInfos();
    if (s < 0 || s >= static_cast<int>(all.size())) return {};
    return all[static_cast<std::size_t>(s)].name;
}

int FindSelectionByCode(std::string_view code) {
    const auto all = detail::SelectionInfos();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const std::string_view c = all[i].code;
        if (c.size() != code.size()) continue;
        bool same = true;
        for (std::size_t k = 0; k < c.size() && same; ++k) {
            char x = code[k];
            if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
            same = x == c[k];
        }
        if (same) return static_cast<int>(i);
    }
    return -1;
}

} // namespace shirl
