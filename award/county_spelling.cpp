// The gazetteer's names, ADIF's Alaska names and the district names by
// (state, CountyNameKey), built once; a value is cut into state and name,
// its comment and suffix taken off, and looked up as written, then without
// or with "city".
#include "award/county_spelling.h"

#include <array>
#include <unordered_map>

#include "base/text_util.h"
#include "data/county_aliases.h"
#include "data/county_names.h"
#include "data/gazetteer.h"

namespace shirl {
namespace {

constexpr std::array<std::string_view, 4> kDistrictKeys = {"FIRSTJUDICIALDISTRICT", "SECONDJUDICIALDISTRICT",
                                                          "THIRDJUDICIALDISTRICT", "FOURTHJUDICIALDISTRICT"};
// Suffixes a logbook adds to a county's name, as CountyNameKey writes them,
// longest first so that "CITYANDBOROUGH" goes before "BOROUGH".
constexpr std::array<std::string_view, 6> kSuffixKeys = {"CITYANDBOROUGH", "MUNICIPALITY", "CENSUSAREA",
                                                        "BOROUGH", "COUNTY", "PARISH"};
constexpr std::string_view kCity = "CITY";

struct NameIndex {
    std::unordered_map<std::string, int> byKey; // "AL" + key -> county id; -2: two counties share it
};

void Add(NameIndex& index, std::string_view state, std::string_view name, int id) {
    const auto [it, added] = index.byKey.emplace(std::string(state) + CountyNameKey(name), id);
    if (!added && it->second != id) it->second = -2;
}

const NameIndex& Index() {
    static const NameIndex index = [] {
        NameIndex built;
        for (const GazetteerRow& row : Gazetteer()) {
            const int id = CountyId(row);
            Add(built, row.stateCode, row.countyName, id);
            const std::string_view cnty = row.cntyValue.substr(row.stateCode.size() + 1);
            if (cnty != row.countyName) Add(built, row.stateCode, cnty, id); // ADIF's Alaska names
        }
        return built;
    }();
    return index;
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() > end.size() && text.substr(text.size() - end.size()) == end;
}

int Find(const std::string& state, std::string_view key) {
    const auto& byKey = Index().byKey;
    const auto it = byKey.find(state + std::string(key));
    return it == byKey.end() ? -1 : it->second;
}

// The county of `key` in `state`: as written, without a suffix, then
// without "city" or with it.
int FindKey(const std::string& state, std::string key) {
    if (const int id = Find(state, key); id != -1) return id;
    for (const std::string_view suffix : kSuffixKeys)
        if (EndsWith(key, suffix)) {
            key.resize(key.size() - suffix.size());
            if (const int id = Find(state, key); id != -1) return id;
            break;
        }
    if (EndsWith(key, kCity)) return Find(state, std::string_view(key).substr(0, key.size() - kCity.size()));
    return Find(state, key + std::string(kCity));
}

} // namespace

SpelledCounty ResolveCountySpelling(std::string_view value, std::string_view stateField, int qsoDate) {
    SpelledCounty out;
    if (const std::size_t comment = value.find("//"); comment != std::string_view::npos) value = value.substr(0, comment);
    value = TrimBlanksAndLineEnds(value);
    std::string_view name = value;
    if (const std::size_t comma = value.find(','); comma != std::string_view::npos) {
        out.stateCode = AsciiUpperCase(TrimBlanksAndLineEnds(value.substr(0, comma)));
        name = TrimBlanksAndLineEnds(value.substr(comma + 1));
    } else {
        out.stateCode = AsciiUpperCase(TrimBlanksAndLineEnds(stateField));
    }
    if (name.empty() || !IsGazetteerState(out.stateCode)) return out;
    const std::string key = CountyNameKey(name);
    if (key.empty()) return out;
    if (out.stateCode == "AK")
        for (std::size_t d = 0; d < kDistrictKeys.size(); ++d)
            if (key == kDistrictKeys[d]) {
                out.alaskaDistrict = static_cast<int>(d);
                return out;
            }
    for (const CountyAlias& alias : CountyAliases())
        if (alias.stateCode == out.stateCode && (alias.fromDate != 0 || alias.untilDate != 0) &&
            CountyNameKey(alias.name) == key)
            out.byDate = true;
    out.countyId = FindCountyAlias(out.stateCode, name, qsoDate);
    if (out.countyId < 0) out.countyId = FindKey(out.stateCode, key);
    if (out.countyId < 0) {
        std::string bare = key;
        for (const std::string_view suffix : kSuffixKeys)
            if (EndsWith(bare, suffix)) {
                bare.resize(bare.size() - suffix.size());
                break;
            }
        if (bare != key) {
            // An alias with a suffix: "Wade Hampton Census Area".
            for (const CountyAlias& alias : CountyAliases())
                if (alias.stateCode == out.stateCode && CountyNameKey(alias.name) == bare) {
                    out.countyId = FindCountyAlias(out.stateCode, alias.name, qsoDate);
                    break;
                }
        }
    }
    if (out.countyId < 0) {
        out.countyId = -1;
        const CountyNameMatch match = MatchGazetteerCounty(out.stateCode, name);
        if (!match.closest.empty()) out.nearest = out.stateCode + "," + std::string(match.closest.front());
    }
    return out;
}

} // namespace shirl
