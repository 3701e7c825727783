#include "fill/pairing.h"

#include <algorithm>
#include <map>
#include <set>

namespace shirl {

Pairing PairCandidates(std::vector<Candidate> candidates, std::size_t qsoCount) {
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        if (a.seconds != b.seconds) return a.seconds < b.seconds;
        return a.record != b.record ? a.record < b.record : a.qso < b.qso;
    });
    std::vector<bool> qsoTaken(qsoCount, false), qsoTied(qsoCount, false);
    std::set<std::int64_t> recordTaken;
    Pairing out;
    std::vector<bool> flagged(qsoCount, false);
    for (std::size_t from = 0; from < candidates.size();) {
        std::size_t to = from;
        while (to < candidates.size() && candidates[to].seconds == candidates[from].seconds) ++to;
        // The free candidates of this distance, and how often each side stands in them.
        std::vector<Candidate> group;
        std::map<std::int64_t, int> perRecord;
        std::map<std::size_t, int> perQso;
        for (std::size_t i = from; i < to; ++i) {
            const Candidate& c = candidates[i];
            if (qsoTaken[c.qso] || qsoTied[c.qso] || recordTaken.count(c.record) != 0) continue;
            group.push_back(c);
            ++perRecord[c.record];
            ++perQso[c.qso];
        }
        for (const Candidate& c : group) {
            if (perRecord[c.record] == 1 && perQso[c.qso] == 1) {
                out.pairs.push_back(c);
                qsoTaken[c.qso] = true;
                recordTaken.insert(c.record);
                continue;
            }
            // A tie: the side that stands twice is out; the QSO is ambiguous for now.
            if (perQso[c.qso] > 1) qsoTied[c.qso] = true;
            if (perRecord[c.record] > 1) recordTaken.insert(c.record);
            flagged[c.qso] = true;
            out.tied.push_back(c);
        }
        from = to;
    }
    for (std::size_t q = 0; q < qsoCount; ++q)
        if (flagged[q] && !qsoTaken[q]) out.ambiguous.push_back(q);
    std::erase_if(out.tied, [&](const Candidate& c) { return qsoTaken[c.qso]; });
    std::sort(out.pairs.begin(), out.pairs.end(),
              [](const Candidate& a, const Candidate& b) { return a.record < b.record; });
    return out;
}

} // namespace shirl
