#pragma once
// The QSOs of the converted contest log (one record per QSO, a county line
// written as USACA_COUNTIES) as the matcher holds them: key, counties and
// a label for the report.
#include <cstddef>
#include <string>
#include <vector>

#include "adif/byte_io.h"
#include "fill/qso_facts.h"

namespace shirl {

struct ContestQso {
    MatchKey key;
    std::vector<std::string> counties;    // the worked station's, "ST,Name", the first being CNTY
    std::vector<std::string> ownCounties; // the operator's own
    std::string label;                    // "K1ABC 2024-03-02 12:00 20m CW"
};

struct ContestQsos {
    std::vector<ContestQso> qsos; // the QSOs with a key
    std::size_t withoutKey = 0;   // records without a call, band, mode or readable start
};

// Reads the converted contest log `adif`.
ContestQsos ReadContestQsos(ByteSource& adif);

// The counties of a record: the colon-separated `list` (USACA_COUNTIES)
// when it holds two or more, else `cnty` alone; only values of the form
// "ST,Name", each once.
std::vector<std::string> CountiesOf(std::string_view cnty, std::string_view list);

// Takes `next` into `earlier` when it is the same contact written again
// for another county of a line (a Cabrillo log writes a QSO line per
// county): the same call, band and mode family, started at most a second
// later. The counties are joined, each once.
bool MergeLineQso(ContestQso& earlier, const ContestQso& next);

// "CALL YYYY-MM-DD HH:MM BAND MODE" of a QSO's facts.
std::string QsoLabel(const QsoFacts& facts);

} // namespace shirl
