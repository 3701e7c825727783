// The CONTEST_ID table's search (the table is generated from
// data/contest_ids.csv).
#include "data/contest_ids.h"

#include <algorithm>

#include "base/text_util.h"
#include "data/reference_data.h"

namespace shirl {

Selection FindSelectionByContestId(std::string_view contestId) {
    const std::string key = AsciiUpperCase(TrimBlanksAndLineEnds(contestId));
    if (key.empty()) return Selection();
    const auto table = ContestIdTable();
    const auto it = std::lower_bound(table.begin(), table.end(), key, [](const ContestIdEntry& row, const std::string& k) {
        return detail::CompareBytes(row.contestId, k) < 0;
    });
    return it != table.end() && it->contestId == key ? Selection(it->selection) : Selection();
}

} // namespace shirl
