#pragma once
// Filling a logbook from a converted contest log: the logbook is read
// twice as a stream, once to find the candidate pairs and once to write
// it, each matched record with the contest QSO's counties added and every
// other byte as it was. Memory holds the contest log's QSOs and the pairs.
#include <cstdint>
#include <optional>
#include <string_view>

#include "adif/byte_io.h"
#include "convert/convert_qso.h"
#include "convert/run_report.h"
#include "fill/contest_qsos.h"

namespace shirl {

struct FillOptions {
    std::int64_t windowSeconds = 600; // how far apart a pair's start times may be
    CountyLines countyLines = CountyLines::Copies;
};

struct FillResult {
    bool rewound = true;            // false: the logbook could not be read a second time
    std::int64_t records = 0;       // logbook records read
    std::int64_t matched = 0;       // records paired with a contest QSO
    std::int64_t filled = 0;        // of them, records that got CNTY
    std::int64_t alreadyHeld = 0;   // of them, records that held the QSO's county already
    std::int64_t noCounty = 0;      // of them, records whose QSO has no county in the contest log
    std::int64_t lineRecords = 0;   // records added for county lines
    std::int64_t written = 0;       // records written
};

// Pairs the QSOs of `contest` with the records of `logbook` (rewound
// between the passes) and writes the logbook filled to `output`. The
// report's progress list gets the counts and the QSOs that the logbook lacks,
// the ambiguous ones and those whose counties disagree with the logbook's;
// the Wrote line names `outputName`.
FillResult FillLogbook(const ContestQsos& contest, ByteSource& logbook, ByteSink& output, const FillOptions& options,
                       std::string_view outputName, RunReport& report);

} // namespace shirl
