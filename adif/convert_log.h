#pragma once
// The conversion run: reads an ADIF log in one streaming pass, copies its
// header, collects each QSO and hands it to ConvertQso.
#include <cstdint>
#include <optional>
#include <string_view>

#include "adif/byte_io.h"
#include "adif/records.h"
#include "data/abbrev_list.h"

namespace shirl {

// Limit of tag slots of one QSO, <EOR> included.
inline constexpr std::size_t kMaxQsoFields = 1000;

struct ConvertLogResult {
    int countiesConverted = 0;
    std::int64_t qsosWritten = 0;
    std::int64_t countyLineCopies = 0;
};

// Runs one conversion from `input` to `output` for Selection `selection`
// (0..60). Pushes the run's messages onto `report` and ends with the
// Converted and Wrote lines ("Wrote N QSOs to NAME", or "Wrote N QSOs"
// without `outputName`). The caller flushes and closes `output`. `list` is
// the operator's abbreviation list for `selection`, or nullptr.
ConvertLogResult ConvertLogDetailed(ByteSource& input, ByteSink& output, int selection, bool addMobile,
                                    std::optional<std::string_view> outputName, RunReport& report,
                                    const AbbrevList* list = nullptr);

// Same, returning the number of counties converted.
int ConvertLog(ByteSource& input, ByteSink& output, int selection, bool addMobile,
               std::optional<std::string_view> outputName, RunReport& report, const AbbrevList* list = nullptr);

} // namespace shirl
