#include "award/award_report.h"

#include <array>
#include <map>
#include <string_view>

#include "award/award_list.h"
#include "data/gazetteer.h"

namespace shirl {
namespace {

std::string Csv(std::string_view text) {
    if (text.find_first_of(",\"\n\r") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string QsoText(std::int64_t qsos) { return std::to_string(qsos) + (qsos == 1 ? " QSO" : " QSOs"); }

void AppendMark(std::string& row, const QsoMark& mark) {
    row.append(",").append(Csv(mark.call)).append(",").append(Csv(mark.date)).append(",").append(Csv(mark.band));
    row.append(",").append(Csv(mark.mode));
}

std::string Filters(const AwardOptions& options) {
    std::string text;
    if (!options.band.empty()) text.append(" on ").append(options.band);
    if (!options.modeFamily.empty()) text.append(text.empty() ? " in " : ", in ").append(options.modeFamily);
    return text;
}

std::string SourcesText(unsigned sources) {
    std::string text;
    const auto add = [&text](const char* name) { text.append(text.empty() ? "" : ", ").append(name); };
    if (sources & kConfirmCard) add("card");
    if (sources & kConfirmLotw) add("LoTW");
    if (sources & kConfirmEqsl) add("eQSL");
    return text;
}

} // namespace

int WorkedCount(const AwardTally& tally) {
    int n = 0;
    for (const CountyCredit& credit : tally.Counties()) n += credit.worked.Empty() ? 0 : 1;
    return n;
}

int ConfirmedCount(const AwardTally& tally) {
    int n = 0;
    for (const CountyCredit& credit : tally.Counties()) n += credit.confirmed.Empty() ? 0 : 1;
    return n;
}

std::vector<std::string> AwardReportLines(const AwardTally& tally) {
    std::vector<std::string> lines;
    const int total = AwardCountyCount();
    lines.push_back("USA Counties Award" + Filters(tally.Options()) + ": " + QsoText(tally.UsQsos()) +
                    " with US stations counted.");
    lines.push_back("Worked: " + std::to_string(WorkedCount(tally)) + " of " + std::to_string(total) + " counties.");
    lines.push_back("Confirmed (" + SourcesText(tally.Options().sources) + "): " + std::to_string(ConfirmedCount(tally)) +
                    " of " + std::to_string(total) + " counties.");
    if (tally.OtherQsos() > 0)
        lines.push_back("Not counted: " + QsoText(tally.OtherQsos()) + " with stations outside the USA.");
    if (tally.FilteredOut() > 0)
        lines.push_back("Left out: " + QsoText(tally.FilteredOut()) + " on other bands or modes.");
    lines.push_back("");
    lines.push_back("By state (worked, confirmed, of):");
    std::map<std::string_view, std::array<int, 3>> states;
    std::vector<std::string_view> order;
    for (int i = 0; i < total; ++i) {
        const UsacaCounty& county = AwardCounty(i);
        auto [it, added] = states.try_emplace(county.stateCode, std::array<int, 3>{0, 0, 0});
        if (added) order.push_back(county.stateCode);
        const CountyCredit& credit = tally.Counties()[static_cast<std::size_t>(i)];
        it->second[0] += credit.worked.Empty() ? 0 : 1;
        it->second[1] += credit.confirmed.Empty() ? 0 : 1;
        ++it->second[2];
    }
    for (const std::string_view state : order) {
        const auto& n = states[state];
        lines.push_back("  " + std::string(state) + " " + std::string(AwardStateName(state)) + ": " +
                        std::to_string(n[0]) + ", " + std::to_string(n[1]) + ", of " + std::to_string(n[2]));
    }
    if (!tally.WorkedByBand().empty()) {
        lines.push_back("");
        lines.push_back("By band (counties worked):");
        for (const auto& [band, worked] : tally.WorkedByBand()) {
            int n = 0;
            for (const bool w : worked) n += w ? 1 : 0;
            lines.push_back("  " + band + ": " + std::to_string(n));
        }
    }
    if (!tally.Uncounted().empty()) {
        lines.push_back("");
        lines.push_back("Values that name no award county (counted nothing):");
        for (const auto& [value, uncounted] : tally.Uncounted()) {
            std::string line = "  \"" + value + "\": " + QsoText(uncounted.qsos);
            if (!uncounted.nearest.empty()) line += " (nearest: " + uncounted.nearest + ")";
            lines.push_back(line);
        }
    }
    if (!tally.Claimable().empty()) {
        lines.push_back("");
        lines.push_back("QSOs in places of no county, claimable for one county around them (* still needed):");
        for (const auto& [placeId, qsos] : tally.Claimable()) {
            const UsacaClaimable* place = ClaimablePlace(placeId);
            if (place == nullptr) continue;
            const auto claim = tally.Options().claims.find(placeId);
            const GazetteerRow* row = FindCounty(placeId);
            std::string line = "  " + std::string(row != nullptr ? row->cntyValue : place->place) + " (" + QsoText(qsos.qsos) + ", " + std::to_string(qsos.confirmed) +
                    " confirmed): ";
            if (claim != tally.Options().claims.end()) {
                line += "claimed for " + AwardCntyValue(claim->second);
            } else {
                bool first = true;
                for (const int countyId : place->counties) {
                    const int index = AwardIndexOfCounty(countyId);
                    if (index == kNotAwardCounty) continue;
                    line += (first ? "" : " ") + AwardCntyValue(index);
                    if (tally.Counties()[static_cast<std::size_t>(index)].worked.Empty()) line += "*";
                    first = false;
                }
                if (place->throughCities) line += " (it borders only cities: the counties around those)";
            }
            lines.push_back(line);
        }
    }
    return lines;
}

std::string NeededCsv(const AwardTally& tally, bool confirmed) {
    std::string csv = "state,county\n";
    for (int i = 0; i < AwardCountyCount(); ++i) {
        const CountyCredit& credit = tally.Counties()[static_cast<std::size_t>(i)];
        if (!(confirmed ? credit.confirmed : credit.worked).Empty()) continue;
        const UsacaCounty& county = AwardCounty(i);
        csv.append(county.stateCode).append(",").append(Csv(county.name)).append("\n");
    }
    return csv;
}

std::string CountiesCsv(const AwardTally& tally) {
    std::string csv = "state,county,worked_call,worked_date,worked_band,worked_mode,"
                      "confirmed_call,confirmed_date,confirmed_band,confirmed_mode\n";
    for (int i = 0; i < AwardCountyCount(); ++i) {
        const UsacaCounty& county = AwardCounty(i);
        const CountyCredit& credit = tally.Counties()[static_cast<std::size_t>(i)];
        std::string row = std::string(county.stateCode) + "," + Csv(county.name);
        AppendMark(row, credit.worked);
        AppendMark(row, credit.confirmed);
        csv.append(row).append("\n");
    }
    return csv;
}

} // namespace shirl
