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

// Runs one conversion from `input` to `output` for `selection`. Pushes the
// run's messages onto `report` and ends with the Converted and Wrote lines
// ("Wrote N QSOs to NAME", or "Wrote N QSOs" without `outputName`), then a
// row for the QSOs left out, if any; a log with values whose length counts
// characters gets a row saying so before the run's first. The caller
// flushes and closes `output`.
// `list` is the operator's abbreviation list for `selection`, or nullptr.
// `countyLines` chooses how a QSO on a county line is written.
ConvertLogResult ConvertLogDetailed(ByteSource& input, ByteSink& output, Selection selection, bool addMobile,
                                    std::optional<std::string_view> outputName, RunReport& report,
                                    const AbbrevList* list = nullptr, CountyLines countyLines = CountyLines::Copies);

// Same, returning the number of counties converted.
int ConvertLog(ByteSource& input, ByteSink& output, Selection selection, bool addMobile,
               std::optional<std::string_view> outputName, RunReport& report, const AbbrevList* list = nullptr);

} // namespace shirl
