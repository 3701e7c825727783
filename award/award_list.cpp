// Indexes of the constant award tables, built once.
#include "award/award_list.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "data/selections.h"

namespace shirl {
namespace {

struct AwardIndex {
    std::unordered_map<int, int> byCounty;
    std::vector<int> districts; // award index of each district, in order
};

const AwardIndex& Index() {
    static const AwardIndex index = [] {
        AwardIndex built;
        const auto counties = UsacaCounties();
        std::unordered_map<std::string_view, int> districtIndex;
        for (std::size_t i = 0; i < counties.size(); ++i) {
            if (counties[i].countyId >= 0) built.byCounty[counties[i].countyId] = static_cast<int>(i);
            else {
                districtIndex[counties[i].name] = static_cast<int>(i);
                built.districts.push_back(static_cast<int>(i));
            }
        }
        for (const UsacaBorough& borough : UsacaBoroughs()) built.byCounty[borough.countyId] = districtIndex[borough.district];
        return built;
    }();
    return index;
}

} // namespace

int AwardCountyCount() { return static_cast<int>(UsacaCounties().size()); }

const UsacaCounty& AwardCounty(int index) { return UsacaCounties()[static_cast<std::size_t>(index)]; }

std::string AwardCntyValue(int index) {
    const UsacaCounty& county = AwardCounty(index);
    return std::string(county.stateCode) + "," + std::string(county.name);
}

int AwardIndexOfCounty(int countyId) {
    const auto& byCounty = Index().byCounty;
    const auto it = byCounty.find(countyId);
    return it == byCounty.end() ? kNotAwardCounty : it->second;
}

int AwardIndexOfDistrict(int district) {
    const auto& districts = Index().districts;
    return district >= 0 && district < static_cast<int>(districts.size()) ? districts[static_cast<std::size_t>(district)]
                                                                         : kNotAwardCounty;
}

const UsacaClaimable* ClaimablePlace(int countyId) {
    const auto places = UsacaClaimablePlaces();
    const auto it = std::lower_bound(places.begin(), places.end(), countyId,
                                     [](const UsacaClaimable& p, int id) { return p.countyId < id; });
    return it != places.end() && it->countyId == countyId ? &*it : nullptr;
}

std::string_view AwardStateName(std::string_view stateCode) {
    const auto selection = FindSelectionByCode(stateCode);
    return selection ? selection->Name() : stateCode;
}

} // namespace shirl
