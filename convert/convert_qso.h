#pragma once
// Conversion of one complete QSO: field clean-up, county resolution,
// duplicate removal and one output record per distinct county.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "adif/byte_io.h"
#include "adif/records.h"
#include "data/abbrev_list.h"

namespace shirl {

// Counters of one run that ConvertQso increments.
struct RunCounters {
    std::int64_t qsosWritten = 0;      // output records written
    std::int64_t countyLineCopies = 0; // records beyond the first of a QSO
};

// Where and how the records go: the sink and the line end of the output.
struct RecordOutput {
    ByteSink& sink;
    std::string_view lineEnd;
};

// Converts and writes one QSO. `time` is the QSO's date and time in
// seconds since 1970-01-01 00:00:00 UTC, or nullopt when the run has not
// read a valid date yet (the records then start with the QSO's own
// fields). Returns the number of counties converted, after duplicate
// removal. Renames, rewrites and clears fields of `fields` (a QsoFields,
// or the used part of a reader's reusable slots). A QSO whose county fields
// are all empty but whose SRX_STRING ends in a word gets that word resolved
// as a county field, added after SRX_STRING. `list` is the operator's
// abbreviation list for `selection`, or nullptr.
int ConvertQso(const RecordOutput& out, int selection, bool addMobile, std::span<AdifField> fields,
               std::optional<std::int64_t> time, RunCounters& counters, RunReport& report,
               const AbbrevList* list = nullptr);

// UTC calendar helpers (proleptic Gregorian, no time zone).
std::int64_t DaysFromCivil(std::int64_t year, int month, int day);
struct CivilDate {
    std::int64_t year;
    int month;
    int day;
};
CivilDate CivilFromDays(std::int64_t days);

} // namespace shirl
