#pragma once
// QSOs per county: the CNTY values a run writes, counted by gazetteer county.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace shirl {

class CountyTally {
public:
    // Counts one record written with this CNTY value ("AL,Autauga", any
    // letter case and blanks, ADIF's Alaska names too); a value that names no
    // gazetteer county is counted by its text, the first kMostOtherValues
    // such texts one by one, any further ones together under "".
    void Add(std::string_view cntyValue);
    // Gazetteer county id to QSOs, for the counties counted at least once.
    std::map<int, std::int64_t> Counts() const;
    // The values that name no county, to QSOs.
    const std::map<std::string, std::int64_t>& OtherValues() const { return m_others; }

    static constexpr std::size_t kMostOtherValues = 64;

private:
    // The values seen last, by a hash of their bytes, and the gazetteer row
    // each names: a log writes the same few values over and over.
    struct Known {
        std::string value;
        std::size_t row = 0; // the gazetteer row, or kNoRow
    };
    static constexpr std::size_t kNoRow = static_cast<std::size_t>(-1);
    // The slot that holds `cntyValue` (true), or the one it is to go into.
    std::pair<Known&, bool> Slot(std::string_view cntyValue);
    std::array<Known, 1024> m_known{};
    std::vector<std::int64_t> m_byRow; // QSOs by gazetteer row, sized on first use
    std::map<std::string, std::int64_t> m_others;
};

} // namespace shirl
