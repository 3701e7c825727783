// The CountyIndex: a direct-address table of 80 x 512 slots,
// slot = state number * 512 + county number (county numbers of 512 and more
// spill into the run of state number 52, which no state has).
#include "data/gazetteer.h"

#include <array>
#include <cstddef>

namespace shirl {
namespace {

constexpr int kStateRuns = 80;
constexpr int kRunLength = 512;
constexpr int kSlotCount = kStateRuns * kRunLength; // 40960
constexpr std::size_t kRowCount = 3235;

struct CountyIndex {
    std::array<CountyRecord, kRowCount> records{};
    std::array<const CountyRecord*, kSlotCount> slots{};
};

CountyIndex& Index() {
    static CountyIndex index;
    return index;
}

} // namespace

void RebuildCountyIndex() {
    CountyIndex& index = Index();
    index.slots.fill(nullptr);
    const auto rows = Gazetteer();
    for (std::size_t i = 0; i < rows.size() && i < index.records.size(); ++i) {
        const GazetteerRow& row = rows[i];
        index.records[i] = CountyRecord{row.stateCode, row.countyName};
        const int slot = row.stateNumber * kRunLength + row.countyNumber;
        if (slot >= 0 && slot < kSlotCount) index.slots[static_cast<std::size_t>(slot)] = &index.records[i];
    }
}

const CountyRecord* FindCounty(int countyId) {
    const int state = countyId / 1000;
    const int county = countyId - state * 1000;
    const long long slot = static_cast<long long>(state) * kRunLength + county;
    if (slot < 0 || slot >= kSlotCount) return nullptr;
    return Index().slots[static_cast<std::size_t>(slot)];
}

} // namespace shirl
