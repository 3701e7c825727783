#pragma once
// What a value in a county field is: the one question the conversion, the
// county-line split and `shirl-cli lookup`/`abbreviations` ask of a county
// value. Answering changes nothing; ResolveCountyField (convert/resolve.h)
// applies an answer to a field of a QSO.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "convert/lookup.h"
#include "convert/qso_field.h"
#include "convert/run_report.h"
#include "data/abbrev_list.h"
#include "data/selections.h"

namespace shirl {

// What the answer may know of the value's record besides the value.
struct CountyQuestion {
    Selection selection;
    const AbbrevList* list = nullptr;         // the operator's list for `selection`, or none
    std::optional<std::string_view> callsign; // the record's CALL value, or nullopt (messages say "(no call)")
    std::optional<std::string_view> state;    // the record's own input STATE value, or nullopt
    FieldKind field = FieldKind::Cnty;        // the kind of the field the value came from
    std::string_view fieldName = "CNTY";      // that field's name as written
};

struct CountyAnswer {
    enum class Kind { County, State, Silent, None };
    Kind kind = Kind::None;
    std::string_view value;              // "ST,County name" or the state code (constants); empty otherwise
    std::vector<ReportMessage> messages; // the report entries the value draws, oldest first
    std::string_view city = {};          // State of an independent-city table: the city's CNTY form
};

// Whether a field of `kind` carries the operator's own county (it becomes
// MY_CNTY/MY_STATE) rather than the worked station's.
bool IsOwnCountyField(FieldKind kind);

// Whether a record's STATE value is the code of a US state or of DC, in
// any letter case: the STATE a county read from its QTH must lie in.
bool IsRecordState(std::string_view value);

// The warning for the counties (`counties`, "ST,County name") read from a
// QTH value (`written`) when they lie outside the record's own STATE
// (question.state, a valid one): naming the call, the value and both
// states; nullopt when they lie in it, or the question is of no QTH or no
// valid STATE.
std::optional<ReportMessage> QthOutsideState(std::string_view written, std::span<const std::string_view> counties,
                                             const CountyQuestion& question);

// The word a report shows for `kind`: county, state, silent or none.
std::string_view CountyAnswerKindName(CountyAnswer::Kind kind);

// What `value` is, taken through the conversion's steps: a worked station's
// value is read in upper case, and one with a comma (converted already) or
// DX is silent; an own county is read as written, and one with a comma or a
// "/" is silent. Then the area codes, the Canadian rule, the lookup with the
// list and the closing rules. County and State say what the field becomes;
// Silent means it stays as it was without a message, None that it stays
// with a warning.
CountyAnswer AnswerCountyValue(std::string_view value, const CountyQuestion& question);

// What an answer without report messages takes from a callsign, as a
// small number (0: no callsign, or an empty one); nullopt when the
// callsign draws a message of its own (no prefix can be formed from it).
// Two callsigns of one class get the same such answers to every question.
// `scratch` is working storage.
std::optional<std::uint8_t> CallsignClass(std::optional<std::string_view> callsign, std::string& scratch);

// Whether answers without report messages to `value` may differ between
// callsigns of different classes (an area code, a Canadian province or
// one of its aliases); for other values they are the same for every
// callsign that draws no message.
bool AnswerDependsOnCallsign(std::string_view value);

// The answer for `value` in a worked station's CNTY field of a QSO with
// `callsign` (nullopt: none).
inline CountyAnswer AnswerCountyValue(std::string_view value, Selection selection,
                                      std::optional<std::string_view> callsign, const AbbrevList* list) {
    return AnswerCountyValue(value, CountyQuestion{selection, list, callsign, std::nullopt, FieldKind::Cnty, "CNTY"});
}

} // namespace shirl
