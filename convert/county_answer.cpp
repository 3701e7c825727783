// A county value taken through the conversion's own resolution, on a field
// of its own, so that the answer cannot drift from what a log gets.
#include "convert/county_answer.h"

#include "base/text_util.h"
#include "convert/county_line_value.h"
#include "convert/qso_field.h"
#include "convert/resolve.h"

namespace shirl {
namespace {

// A county line written in one value ("DAD/BRO") as a conversion takes it:
// every county, joined by "/" ("FL,Miami-Dade/FL,Broward"), with the rows of each.
CountyAnswer CountyLineAnswer(const std::vector<std::string_view>& parts, Selection selection,
                              std::optional<std::string_view> callsign, const AbbrevList* list) {
    CountyAnswer answer;
    answer.kind = CountyAnswer::Kind::County;
    for (const std::string_view part : parts) {
        CountyAnswer county = AnswerCountyValue(part, selection, callsign, list);
        answer.value.append(answer.value.empty() ? "" : "/").append(county.value);
        for (ReportMessage& message : county.messages) answer.messages.push_back(std::move(message));
    }
    return answer;
}

} // namespace

std::string_view CountyAnswerKindName(CountyAnswer::Kind kind) {
    switch (kind) {
    case CountyAnswer::Kind::County: return "county";
    case CountyAnswer::Kind::State: return "state";
    case CountyAnswer::Kind::Silent: return "silent";
    case CountyAnswer::Kind::None: break;
    }
    return "none";
}

CountyAnswer AnswerCountyValue(std::string_view value, Selection selection,
                               std::optional<std::string_view> callsign, const AbbrevList* list) {
    CountyAnswer answer;
    // A value with a comma is taken as converted already, and DX is no
    // county: a conversion leaves both as they are.
    if (value.find(',') != std::string_view::npos || EqualsNoCase(value, "DX")) {
        answer.kind = CountyAnswer::Kind::Silent;
        return answer;
    }
    const std::string upper = AsciiUpperCase(value);
    QsoField field{"CNTY", upper, FieldKind::Cnty};
    RunReport report;
    const int converted = ResolveCountyField(field, selection, callsign, false, report, list);
    answer.messages = report.second.OldestFirst();
    if (converted == 1) {
        answer.kind = CountyAnswer::Kind::County;
    } else if (field.kind == FieldKind::State) {
        answer.kind = CountyAnswer::Kind::State;
    } else if (const auto parts = CountyLineParts(value, selection, callsign, list); !parts.empty()) {
        return CountyLineAnswer(parts, selection, callsign, list);
    } else {
        answer.kind = answer.messages.empty() ? CountyAnswer::Kind::Silent : CountyAnswer::Kind::None;
        return answer;
    }
    answer.value.assign(field.value.value_or(std::string_view()));
    return answer;
}

} // namespace shirl
