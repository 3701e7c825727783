#pragma once
// QSOs per county: the CNTY values a run writes, counted by gazetteer county.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace shirl {

class CountyTally {
public:
    // Counts one record written with this CNTY value ("AL,Autauga"); a value
    // that names no gazetteer county is not counted.
    void Add(std::string_view cntyValue);
    // Gazetteer county id to QSOs, for the counties counted at least once.
    std::map<int, std::int64_t> Counts() const;

private:
    // The values seen last, by a hash of their bytes, and the gazetteer row
    // each names: a log writes the same few values over and over.
    struct Known {
        std::string value;
        std::size_t row = 0;
    };
    std::array<Known, 1024> m_known{};
    std::vector<std::int64_t> m_byRow; // QSOs by gazetteer row, sized on first use
};

} // namespace shirl
