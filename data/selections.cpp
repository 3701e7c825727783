// The Selections, served from the tables generated from data/selections.csv
// and data/display_order.csv.
#include "data/selections.h"

#include "base/text_util.h"
#include "data/reference_data.h"

namespace shirl {
namespace {

const detail::SelectionInfo* Info(Selection s) {
    const auto all = detail::SelectionInfos();
    if (s.Index() < 0 || s.Index() >= static_cast<int>(all.size())) return nullptr;
    return &all[static_cast<std::size_t>(s.Index())];
}

} // namespace

bool Selection::IsValid() const { return Info(*this) != nullptr; }

std::string_view Selection::Code() const {
    const auto* info = Info(*this);
    return info ? info->code : std::string_view();
}

std::string_view Selection::Name() const {
    const auto* info = Info(*this);
    return info ? info->name : std::string_view();
}

bool Selection::IsParty() const {
    const auto* info = Info(*this);
    return info && info->isParty;
}

bool Selection::HasSections() const {
    const auto* info = Info(*this);
    return info && info->hasSections;
}

bool Selection::QuietForNewEngland() const {
    const auto* info = Info(*this);
    return info && info->quietForNewEngland;
}

std::optional<Selection> FindSelectionByCode(std::string_view code) {
    const auto all = detail::SelectionInfos();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (EqualsNoCase(code, all[i].code)) return Selection(static_cast<int>(i));
    return std::nullopt;
}

} // namespace shirl
