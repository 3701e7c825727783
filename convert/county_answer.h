#pragma once
// What a conversion does with one value in a county field: the answer that
// `shirl-cli lookup` and `abbreviations` show.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/run_report.h"
#include "data/abbrev_list.h"
#include "data/selections.h"

namespace shirl {

struct CountyAnswer {
    enum class Kind { County, State, Silent, None };
    Kind kind = Kind::None;
    std::string value;                 // "ST,County name", the state code, or empty
    std::vector<ReportMessage> messages; // the report entries the conversion gives for it
};

// The word a report shows for `kind`: county, state, silent or none.
std::string_view CountyAnswerKindName(CountyAnswer::Kind kind);

// Runs `value` through the steps a conversion takes for a county field of a
// QSO worked with `callsign` (nullopt: none): upper case, area codes, the
// Canadian rule, the lookup with `list`, the closing rules. Silent means it
// stays as it was without a message, None that it stays with a warning.
CountyAnswer AnswerCountyValue(std::string_view value, Selection selection,
                               std::optional<std::string_view> callsign, const AbbrevList* list);

} // namespace shirl
