#include "convert/county_tally.h"

#include "base/text_util.h"
#include "data/county_names.h"
#include "data/gazetteer.h"

namespace shirl {

void CountyTally::Add(std::string_view cntyValue) {
    if (cntyValue.empty()) return; // also what an unused slot holds
    auto [known, seen] = Slot(cntyValue);
    if (!seen) {
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
std::pair<CountyTally::Known&, bool> CountyTally::Slot(std::string_view cntyValue) {
    const std::size_t at = HashOfBytes(cntyValue) % m_known.size();
    Known& first = m_known[at];
    if (std::string_view(first.value) == cntyValue) return {first, true};
    Known& second = m_known[at ^ 1];
    if (std::string_view(second.value) == cntyValue) return {second, true};
    return {first.value.empty() || !second.value.empty() ? first : second, false};
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
