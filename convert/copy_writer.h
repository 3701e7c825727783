#pragma once
// The records of one converted QSO: one per distinct county, each a second
// after the one before, with the states made from their counties.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "adif/byte_io.h"
#include "convert/qso_field.h"
#include "convert/run_report.h"
#include "convert/utc_text.h"

namespace shirl {

// Where and how the records go: the sink and the line end of the output.
struct RecordOutput {
    ByteSink& sink;
    std::string_view lineEnd;
};

// When the records of a QSO stand: its input start (nullopt before the run
// has read a date), the seconds by which its first record follows that
// start (a logger that writes a contact once per county), and the county
// of the record before it in that case.
struct CopyTiming {
    std::optional<std::int64_t> start;
    std::int64_t offset = 0;
    std::string_view splitFrom;
};

// What the records of one converted QSO are written from besides its fields.
struct CopyRequest {
    std::string_view call;
    int ownConverted = 0;     // own counties made
    std::size_t distinct = 0; // distinct CNTYs
    CopyTiming timing;
    bool usaca = false;       // a county line is one record with USACA_COUNTIES
    UtcFormatter& utc;        // formats the records' dates and times
};

// Writes the records of a QSO whose fields are converted
// (`request.distinct` CNTYs, `request.ownConverted` own counties made) for
// `request.call`. Each record takes the next
// CNTY with the STATE made from it; one own county goes into every record,
// several are paired with the CNTYs, and each own county left over gets a
// record of its own with the first CNTY. A record k seconds after its input
// start that would end before it starts has its end moved by k seconds too.
// Returns the number of records written.
// With `request.usaca` a county line is one record instead: its first CNTY, and
// USACA_COUNTIES (MY_USACA_COUNTIES) listing all of them.
std::size_t WriteCopies(const RecordOutput& out, std::span<QsoField> fields, const CopyRequest& request,
                        RunCounters& counters, RunReport& report);

// The state code of a county value "ST,Name" (two letters A-Z and a comma),
// or nullopt.
std::optional<std::string_view> StateOfCountyValue(std::optional<std::string_view> value);

} // namespace shirl
