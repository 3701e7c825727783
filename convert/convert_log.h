#pragma once
// The conversion run: reads an ADIF log in one streaming pass, copies its
// header, converts each QSO and ends the report with the summary lines.
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "adif/byte_io.h"
#include "convert/convert_qso.h"
#include "convert/run_report.h"
#include "data/abbrev_list.h"
#include "data/selections.h"

namespace shirl {

struct ConvertLogResult {
    int countiesConverted = 0;
    std::int64_t qsosWritten = 0;
    std::int64_t countyLineCopies = 0;
    std::map<int, std::int64_t> countyQsos; // records written per CNTY county (gazetteer id)
    std::int64_t qsosLeftOut = 0;
    bool adifLog = true; // false when the input showed nothing of an ADIF log (AdifEvidence)
    std::vector<std::string> contestIds; // the log's CONTEST_ID values, as ReadContestIds gives them
    std::size_t characterCountedValues = 0; // values whose length counted characters
    std::map<std::string, std::int64_t> otherCntyQsos{}; // CNTY values naming no county (CountyTally)
};

// How a run uses the machine's threads. The output and the report are the
// same whichever it is.
enum class ThreadUse {
    Auto, // the calling thread alone up to kOneThreadBytes of input, then reading on a thread of its own
    One,  // the calling thread alone (also where the build has no threads)
    Two,  // reading on a thread of its own from the start, converting and writing on the calling thread
};

// Input read on the calling thread alone before an Auto run hands the
// reading to a thread of its own: a QSO party's log never gets there.
inline constexpr std::uint64_t kOneThreadBytes = std::uint64_t{4} << 20;

struct RunThreads {
    ThreadUse use = ThreadUse::Auto;
    std::size_t blockSize = std::size_t{256} << 10; // bytes the reading thread reads into one block
};

// Runs one conversion from `input` to `output` for `selection`. Pushes the
// run's messages onto `report` and ends with the Converted and Wrote lines
// ("Wrote N QSOs to NAME", or "Wrote N QSOs" without `outputName`), then a
// row for the QSOs left out, if any; a log with values whose length counts
// characters gets a row saying so before the run's first. The caller
// flushes and closes `output`.
// `list` is the operator's abbreviation list for `selection`, or nullptr.
// `countyLines` chooses how a QSO on a county line is written.
// The caller reads nothing of `input` while the run lasts; with `threads`
// other than One a thread of the run's own reads it (ADIF only: a Cabrillo
// stream reports its lines' problems as it is read, on the calling thread).
ConvertLogResult ConvertLogDetailed(ByteSource& input, ByteSink& output, Selection selection, bool addMobile,
                                    std::optional<std::string_view> outputName, RunReport& report,
                                    const AbbrevList* list = nullptr, CountyLines countyLines = CountyLines::Copies,
                                    const RunThreads& threads = {});

// Same, returning the number of counties converted.
int ConvertLog(ByteSource& input, ByteSink& output, Selection selection, bool addMobile,
               std::optional<std::string_view> outputName, RunReport& report, const AbbrevList* list = nullptr);

} // namespace shirl
