#pragma once
// QSOs per county: the CNTY values a run writes, counted by gazetteer county.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace shirl {

class CountyTally {
public:
    // Counts one record written with this CNTY value ("AL,Autauga"); a value
    // that names no gazetteer county is not counted.
    void Add(std::string_view cntyValue);
    // Gazetteer county id to QSOs; at most one entry per county.
    const std::map<int, std::int64_t>& Counts() const { return m_counts; }

private:
    std::map<int, std::int64_t> m_counts;
    std::map<std::string, int, std::less<>> m_ids; // values that named a county, to its id (bounded)
};

} // namespace shirl
