// A sorted index of "ST,NAME" (name in upper case) built once from the
// gazetteer on first use.
#include "data/county_names.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "base/text_util.h"
#include "data/gazetteer.h"

namespace shirl {
namespace {

std::string Key(std::string_view stateCode, std::string_view name) {
    return std::string(stateCode) + ',' + AsciiUpperCase(name);
}

struct NameIndex {
    std::vector<std::pair<std::string, int>> byName; // sorted by key
    std::vector<int> ids;                             // sorted
};

const NameIndex& Index() {
    static const NameIndex index = [] {
        NameIndex built;
        for (const GazetteerRow& row : Gazetteer()) {
            const int id = row.stateNumber * 1000 + row.countyNumber;
            built.byName.emplace_back(Key(row.stateCode, row.countyName), id);
            built.ids.push_back(id);
        }
        std::sort(built.byName.begin(), built.byName.end());
        std::sort(built.ids.begin(), built.ids.end());
        return built;
    }();
    return index;
}

} // namespace

bool IsGazetteerState(std::string_view stateCode) {
    const auto rows = Gazetteer();
    return std::any_of(rows.begin(), rows.end(), [&](const GazetteerRow& row) { return row.stateCode == stateCode; });
}

int FindCountyIdByName(std::string_view stateCode, std::string_view name) {
    const auto& byName = Index().byName;
    const std::string key = Key(stateCode, name);
    const auto it = std::lower_bound(byName.begin(), byName.end(), key,
                                     [](const std::pair<std::string, int>& row, const std::string& k) { return row.first < k; });
    return it != byName.end() && it->first == key ? it->second : -1;
}

bool IsGazetteerCountyId(int countyId) {
    const auto& ids = Index().ids;
    return std::binary_search(ids.begin(), ids.end(), countyId);
}

} // namespace shirl
