#pragma once
// Conversion of one complete QSO: field clean-up, county resolution,
// duplicate removal and one output record per distinct county.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "adif/byte_io.h"
#include "convert/answer_memo.h"
#include "convert/copy_writer.h"
#include "convert/qso_field.h"
#include "convert/run_report.h"
#include "data/abbrev_list.h"
#include "data/selections.h"

namespace shirl {

// How a QSO on a county line is written: one record per county, each a
// second after the one before (Copies), or one record whose CNTY is the
// first county and whose USACA_COUNTIES (MY_USACA_COUNTIES for the
// operator's own) lists all of them, colon-separated (Usaca).
enum class CountyLines : unsigned char { Copies, Usaca };

// Working storage of the conversion kept from QSO to QSO, so that its
// buffers are reused: the key of the QSO being written, the fields of a QSO
// whose exchanges add some, the QSO's callsign when the conversion changed
// it, and the formatter of the records' dates and times.
struct QsoScratch {
    std::string nextKey;
    QsoFields expanded;
    std::string changedCall;
    UtcFormatter utc;
};

// What the conversion of a QSO is asked to do.
struct QsoOptions {
    Selection selection;
    bool addMobile = true; // a callsign that carries its county as a suffix gets "/M"
    const AbbrevList* list = nullptr; // the operator's abbreviation list for `selection`, or none
    CountyLines countyLines = CountyLines::Copies;
    AnswerMemo* answers = nullptr; // remembers the run's county answers, or none
    QsoScratch* scratch = nullptr; // the run's working storage, or none (the QSO's own then)
};

// Converts and writes one QSO whose fields carry their kind
// (ClassifyFieldName). `time` is the QSO's date and time in seconds since
// 1970-01-01 00:00:00 UTC, or nullopt when the run has not read a valid
// date yet (the records then start with the QSO's own fields); the records
// that start with it leave out the QSO_DATE and TIME_ON marked as its
// source (QsoField::timeSource). Returns the
// number of counties converted, after duplicate removal. Renames, rewrites
// and clears fields of `fields`. A QSO whose county fields hold no county
// but whose SRX_STRING ends in a word gets that word resolved as a county
// field of its own, added after SRX_STRING (SRX_STRING stays as it is);
// likewise an STX_STRING of several words gets its last word resolved as
// an own-county field added after it, unless another field holds the
// operator's county. A county value that joins counties by "/"
// (CountyLineParts) converts as a field per county.
int ConvertQso(const RecordOutput& out, const QsoOptions& options, std::span<QsoField> fields,
               std::optional<std::int64_t> time, RunCounters& counters, RunReport& report);

} // namespace shirl
