// The CONTEST_ID table's search (the table is generated from
// data/contest_ids.csv).
#include "data/contest_ids.h"

#include <algorithm>

#include "data/reference_data.h"

namespace shirl {

Selection FindSelectionByContestId(std::string_view contestId) {
    const std::size_t first = contestId.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return Selection();
    contestId = contestId.substr(first, contestId.find_last_not_of(" \t\r\n") - first + 1);
    std::string key(contestId);
    for (char& c : key)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const auto table = ContestIdTable();
    const auto it = std::lower_bound(table.begin(), table.end(), key, [](const ContestIdEntry& row, const std::string& k) {
        return detail::CompareBytes(row.contestId, k) < 0;
    });
    return it != table.end() && it->contestId == key ? Selection(it->selection) : Selection();
}

} // namespace shirl
