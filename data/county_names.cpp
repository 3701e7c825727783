// One state's counties at a time, built once from the gazetteer on first
// use; the matching rules come from data/county_name_forms.csv.
#include "data/county_names.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/text_util.h"
#include "data/county_aliases.h"
#include "data/gazetteer.h"
#include "data/reference_data.h"

namespace shirl {
namespace {

// No county name is this long; a longer key gets no suggestions, which
// keeps a huge cell from costing time.
constexpr std::size_t kLongestSuggestedKey = 64;
constexpr std::size_t kMostSuggestions = 3;

struct NameIndex {
    std::map<std::string, std::vector<NamedCounty>, std::less<>> byState; // gazetteer order
    std::vector<int> ids;                                                 // sorted
};

const NameIndex& Index() {
    static const NameIndex index = [] {
        NameIndex built;
        for (const GazetteerRow& row : Gazetteer()) {
            const int id = CountyId(row);
            built.byState[std::string(row.stateCode)].push_back(NamedCounty{row.countyName, id});
            built.ids.push_back(id);
        }
        std::sort(built.ids.begin(), built.ids.end());
        return built;
    }();
    return index;
}

std::string_view GazetteerWord(std::string_view word) {
    const auto words = detail::CountyNameWords();
    const auto it = std::lower_bound(words.begin(), words.end(), word,
                                     [](const detail::CountyNameWord& w, std::string_view key) { return w.written < key; });
    return it != words.end() && it->written == word ? it->gazetteer : word;
}

// Edits (insert, delete, replace one byte) that turn `a` into `b`.
std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The names whose keys are fewest edits from `key`, when few enough to be a slip.
std::vector<std::string_view> Closest(std::span<const NamedCounty> counties, const std::string& key) {
    std::vector<std::string_view> closest;
    if (key.empty() || key.size() > kLongestSuggestedKey) return closest;
    std::size_t best = std::max<std::size_t>(1, key.size() / 3);
    for (const NamedCounty& county : counties) {
        const std::size_t distance = EditDistance(key, CountyNameKey(county.name));
        if (distance > best) continue;
        if (distance < best) closest.clear();
        best = distance;
        if (closest.size() < kMostSuggestions) closest.push_back(county.name);
    }
    return closest;
}

} // namespace

bool IsGazetteerState(std::string_view stateCode) { return Index().byState.contains(stateCode); }

std::string CountyNameKey(std::string_view name) {
    const std::string_view ignored = detail::CountyNameIgnoredCharacters();
    const std::string upper = AsciiUpperCase(name);
    std::string key;
    std::size_t start = 0;
    while (start <= upper.size()) {
        std::size_t end = upper.find_first_of(ignored, start);
        if (end == std::string::npos) end = upper.size();
        key += GazetteerWord(std::string_view(upper).substr(start, end - start));
        start = end + 1;
    }
    return key;
}

CountyNameMatch MatchCountyName(std::span<const NamedCounty> counties, std::string_view name) {
    CountyNameMatch match;
    const std::string upper = AsciiUpperCase(name);
    for (const NamedCounty& county : counties)
        if (AsciiUpperCase(county.name) == upper) return CountyNameMatch{county.countyId, {}};
    const std::string key = CountyNameKey(name);
    std::vector<const NamedCounty*> sameKey;
    for (const NamedCounty& county : counties)
        if (!key.empty() && CountyNameKey(county.name) == key) sameKey.push_back(&county);
    if (sameKey.size() == 1) return CountyNameMatch{sameKey.front()->countyId, {}};
    for (const NamedCounty* county : sameKey)
        if (match.closest.size() < kMostSuggestions) match.closest.push_back(county->name);
    if (sameKey.empty()) match.closest = Closest(counties, key);
    return match;
}

CountyNameMatch MatchGazetteerCounty(std::string_view stateCode, std::string_view name) {
    const auto& byState = Index().byState;
    const auto it = byState.find(stateCode);
    if (it == byState.end()) return {};
    return MatchCountyName(it->second, name);
}

int FindCountyIdByName(std::string_view stateCode, std::string_view name) {
    return MatchGazetteerCounty(stateCode, name).countyId;
}

int FindCountyIdByCntyValue(std::string_view value) {
    const std::size_t comma = value.find(',');
    if (comma == std::string_view::npos) return -1;
    const std::string state = AsciiUpperCase(TrimBlanksAndLineEnds(value.substr(0, comma)));
    const std::string_view name = TrimBlanksAndLineEnds(value.substr(comma + 1));
    const int id = FindCountyIdByName(state, name);
    if (id >= 0) return id;
    const std::string key = CountyNameKey(name);
    int found = -1;
    for (const GazetteerRow& row : Gazetteer()) {
        if (row.stateCode != state || key.empty()) continue;
        const std::string_view written = row.cntyValue.substr(row.cntyValue.find(',') + 1);
        if (CountyNameKey(written) != key) continue;
        if (found >= 0) return -1; // two counties: no match
        found = CountyId(row);
    }
    // A former or newer name (AK,Wade Hampton; AK,Chugach): the county it stands for.
    return found >= 0 ? found : FindCountyAlias(state, name, 0);
}

bool IsGazetteerCountyId(int countyId) {
    const auto& ids = Index().ids;
    return std::binary_search(ids.begin(), ids.end(), countyId);
}

} // namespace shirl
