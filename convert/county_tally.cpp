#include "convert/county_tally.h"

#include "data/county_names.h"

namespace shirl {
namespace {
// Values kept for a quicker second look: a log writes each county in one or a
// few spellings, and a log that writes more is still counted, only slower.
constexpr std::size_t kMaxKnownValues = 8192;
} // namespace

void CountyTally::Add(std::string_view cntyValue) {
    auto known = m_ids.find(cntyValue);
    if (known == m_ids.end()) {
        const std::size_t comma = cntyValue.find(',');
        if (comma == std::string_view::npos) return;
        const int id = FindCountyIdByName(cntyValue.substr(0, comma), cntyValue.substr(comma + 1));
        if (id < 0) return;
        if (m_ids.size() >= kMaxKnownValues) {
            ++m_counts[id];
            return;
        }
        known = m_ids.emplace(std::string(cntyValue), id).first;
    }
    ++m_counts[known->second];
}

} // namespace shirl
