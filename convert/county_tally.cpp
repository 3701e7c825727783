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
    Known& known = m_known[HashOf(cntyValue) % m_known.size()];
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
