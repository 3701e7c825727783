#include "fill/contest_qsos.h"

#include <algorithm>

#include "adif/reader.h"
#include "base/text_util.h"

namespace shirl {

std::vector<std::string> CountiesOf(std::string_view cnty, std::string_view list) {
    std::vector<std::string> counties;
    const auto add = [&counties](std::string_view value) {
        value = TrimBlanksAndLineEnds(value);
        if (IsCountyValue(value) && std::find(counties.begin(), counties.end(), value) == counties.end())
            counties.emplace_back(value);
    };
    if (list.find(':') != std::string_view::npos) {
        for (std::size_t at = 0; at <= list.size();) {
            const std::size_t colon = std::min(list.find(':', at), list.size());
            add(list.substr(at, colon - at));
            at = colon + 1;
        }
    }
    if (counties.size() < 2) {
        counties.clear();
        add(cnty);
    }
    return counties;
}

bool MergeLineQso(ContestQso& earlier, const ContestQso& next) {
    const MatchKey &a = earlier.key, &b = next.key;
    if (a.call != b.call || a.band != b.band || a.family != b.family || b.start < a.start || b.start - a.start > 1)
        return false;
    for (const auto& [into, from] : {std::pair{&earlier.counties, &next.counties}, {&earlier.ownCounties, &next.ownCounties}})
        for (const std::string& county : *from)
            if (std::find(into->begin(), into->end(), county) == into->end()) into->push_back(county);
    return true;
}

std::string QsoLabel(const QsoFacts& facts) {
    std::string label(facts.call);
    if (facts.date.size() == 8)
        label.append(" ").append(facts.date.substr(0, 4)).append("-").append(facts.date.substr(4, 2)).append("-").append(facts.date.substr(6, 2));
    if (facts.time.size() >= 4) label.append(" ").append(facts.time.substr(0, 2)).append(":").append(facts.time.substr(2, 2));
    label.append(" ").append(BandOfQso(facts.band, facts.freq));
    if (!facts.mode.empty()) label.append(" ").append(facts.mode);
    return label;
}

ContestQsos ReadContestQsos(ByteSource& adif) {
    ContestQsos out;
    AdifReader reader(adif);
    QsoFacts facts;
    for (;;) {
        const AdifReader::Event event = reader.Next();
        if (event == AdifReader::Event::End) break;
        if (event == AdifReader::Event::Field && reader.Value()) TakeFact(facts, reader.Name(), *reader.Value());
        if (event == AdifReader::Event::Malformed || event == AdifReader::Event::TooManyFields) facts = {};
        if (event != AdifReader::Event::EndOfRecord) continue;
        if (auto key = MatchKeyOf(facts)) {
            ContestQso qso{std::move(*key), CountiesOf(facts.cnty, facts.usacaCounties),
                           CountiesOf(facts.myCnty, facts.myUsacaCounties), QsoLabel(facts)};
            if (out.qsos.empty() || !MergeLineQso(out.qsos.back(), qso)) out.qsos.push_back(std::move(qso));
        } else {
            ++out.withoutKey;
        }
        facts = {};
    }
    return out;
}

} // namespace shirl
