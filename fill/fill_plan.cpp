#include "fill/fill_plan.h"

#include <algorithm>

#include "base/text_util.h"

namespace shirl {
namespace {

std::string StateOf(const std::string& county) { return county.substr(0, 2); }

std::string Joined(const std::vector<std::string>& counties) {
    std::string joined;
    for (const std::string& county : counties) joined.append(joined.empty() ? "" : ":").append(county);
    return joined;
}

// One side of the QSO (the worked station's, or the operator's own with
// `my`): the fields added and the counties of the records, the record's
// own county first; empty when nothing is filled from this side.
struct Side {
    std::vector<std::string> counties;
    bool filled = false;
};

Side PlanSide(std::string_view cnty, std::string_view state, std::string_view usaca,
              const std::vector<std::string>& counties, bool my, CountyLines countyLines, FillPlan& plan) {
    const std::string prefix = my ? "MY_" : "";
    cnty = TrimBlanksAndLineEnds(cnty);
    state = TrimBlanksAndLineEnds(state);
    Side side;
    if (counties.empty()) return side;
    if (!cnty.empty()) {
        const auto own = std::find_if(counties.begin(), counties.end(),
                                      [cnty](const std::string& c) { return SameNoCase(c, cnty); });
        if (own == counties.end()) {
            plan.disagreements.push_back("the logbook's " + prefix + "CNTY " + std::string(cnty) +
                                         " differs from the contest log's " + Joined(counties) + "; kept.");
            return side;
        }
        side.counties.push_back(*own);
    } else if (!state.empty() && !SameNoCase(state, StateOf(counties.front()))) {
        plan.disagreements.push_back("the logbook's " + prefix + "STATE " + std::string(state) +
                                     " disagrees with the contest log's " + counties.front() + "; not filled.");
        return side;
    } else {
        side.counties.push_back(counties.front());
        side.filled = true;
        plan.added.push_back({prefix + "CNTY", counties.front()});
        if (state.empty()) plan.added.push_back({prefix + "STATE", StateOf(counties.front())});
    }
    for (const std::string& county : counties)
        if (county != side.counties.front()) side.counties.push_back(county);
    if (countyLines == CountyLines::Usaca && side.counties.size() > 1 && TrimBlanksAndLineEnds(usaca).empty()) {
        plan.added.push_back({prefix + "USACA_COUNTIES", Joined(side.counties)});
        side.counties.resize(1);
    }
    return side;
}

} // namespace

FillPlan PlanFill(const QsoFacts& facts, const ContestQso& qso, CountyLines countyLines) {
    FillPlan plan;
    const Side worked = PlanSide(facts.cnty, facts.state, facts.usacaCounties, qso.counties, false, countyLines, plan);
    if (!plan.disagreements.empty()) return plan; // a record that disagrees is left as it was
    const Side own = PlanSide(facts.myCnty, facts.myState, facts.myUsacaCounties, qso.ownCounties, true, countyLines, plan);
    plan.filled = worked.filled;
    if (countyLines == CountyLines::Usaca) return plan;
    // Copies: one record per further county of either side, paired in order.
    const std::size_t records = std::max(worked.counties.size(), own.filled ? own.counties.size() : 0);
    for (std::size_t k = 1; k < records; ++k) {
        std::vector<NewField> values;
        if (!worked.counties.empty()) {
            const std::string& county = worked.counties[std::min(k, worked.counties.size() - 1)];
            values.push_back({"CNTY", county});
            values.push_back({"STATE", StateOf(county)});
        }
        if (own.filled) {
            const std::string& county = own.counties[std::min(k, own.counties.size() - 1)];
            values.push_back({"MY_CNTY", county});
            values.push_back({"MY_STATE", StateOf(county)});
        }
        plan.copies.push_back(std::move(values));
    }
    return plan;
}

} // namespace shirl
