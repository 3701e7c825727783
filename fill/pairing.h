#pragma once
// Which logbook record takes which contest QSO: of the candidate pairs,
// the nearest in time first, each record and each QSO in one pair at most.
// Where a record or a QSO has two free candidates equally near, none of
// them is taken: that record or QSO is left out of every later pair, and
// the QSOs involved are ambiguous unless a later pair takes them.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace shirl {

struct Candidate {
    std::int64_t record = 0;  // the logbook record's number, from 0
    std::size_t qso = 0;      // the contest QSO's index
    std::int64_t seconds = 0; // how far apart their start times are
};

struct Pairing {
    std::vector<Candidate> pairs;        // taken, by record number
    std::vector<std::size_t> ambiguous;  // QSOs of equally near candidates that no pair took, ascending
    std::vector<Candidate> tied;         // the equally near candidates of those QSOs and records
};

// Pairs the candidates (in any order) of `qsoCount` QSOs.
Pairing PairCandidates(std::vector<Candidate> candidates, std::size_t qsoCount);

} // namespace shirl
