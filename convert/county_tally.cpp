#include "convert/county_tally.h"

#include "data/county_names.h"
#include "data/gazetteer.h"

namespace shirl {
namespace {

std::size_t HashOf(std::string_view text) {
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

} // namespace

void CountyTally::Add(std::string_view cntyValue) {
    if (cntyValue.empty()) return; // also what an unused slot holds
    Known& known = Slot(cntyValue);
    if (known.value != cntyValue) {
        const GazetteerRow* county = FindCounty(FindCountyIdByCntyValue(cntyValue));
        known.value.assign(cntyValue);
        known.row = county == nullptr ? kNoRow : static_cast<std::size_t>(county - Gazetteer().data());
    }
    if (known.row == kNoRow) {
        const auto it = m_others.find(known.value);
        if (it != m_others.end()) ++it->second;
        else if (m_others.size() < kMostOtherValues) m_others.emplace(known.value, 1);
        else ++m_others[""];
        return;
    }
    if (m_byRow.empty()) m_byRow.resize(Gazetteer().size());
    ++m_byRow[known.row];
}

// Two slots may hold a value: its hash's and the one beside it; a value
// seen before is in one of them unless two others took both since.
CountyTally::Known& CountyTally::Slot(std::string_view cntyValue) {
    const std::size_t at = HashOf(cntyValue) % m_known.size();
    Known& first = m_known[at];
    Known& second = m_known[at ^ 1];
    if (first.value == cntyValue || second.value == cntyValue) return first.value == cntyValue ? first : second;
    return first.value.empty() || !second.value.empty() ? first : second;
}

std::map<int, std::int64_t> CountyTally::Counts() const {
    std::map<int, std::int64_t> counts;
    for (std::size_t row = 0; row < m_byRow.size(); ++row)
        if (m_byRow[row] > 0) {
            const GazetteerRow& county = Gazetteer()[row];
            counts.emplace(CountyId(county), m_byRow[row]);
        }
    return counts;
}

} // namespace shirl
