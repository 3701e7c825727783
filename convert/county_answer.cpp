// County value resolution as a question: the area codes, the Canadian rule,
// the lookup and the closing rules, with the messages they give.
//
// No message is cut to a buffer size, and a message that names the callsign
// says "(no call)" when the QSO has none. A CALL with an empty value counts
// as no callsign: there is nothing to take a prefix from and nothing to name.
#include "convert/county_answer.h"

#include <algorithm>
#include <array>
#include <string>

#include "base/text_util.h"
#include "convert/answer_memo.h"
#include "convert/lookup.h"
#include "convert/prefix.h"
#include "data/abbrev_tables.h"
#include "data/gazetteer.h"

namespace shirl {
namespace {

constexpr std::string_view kNoCall = "(no call)";

// The area code `value` stands for (a view of the constant table), or empty:
// a bare state, province or region code stands for itself.
std::string_view AreaCode(std::string_view value) {
    if (value.size() != 2) return {}; // every area code has two letters
    const auto codes = AreaSelectionCodes();
    const auto it = std::lower_bound(codes.begin(), codes.end(), value);
    return it != codes.end() && *it == value ? std::string_view(*it) : std::string_view();
}

// The first two characters of a callsign prefix name a Canadian station.
bool IsCanadianPrefix(std::string_view prefix) {
    if (prefix.size() < 2) return false;
    const char second = prefix[1];
    switch (prefix[0]) {
    case 'C': return std::string_view("FGHIJKYZ").find(second) != std::string_view::npos;
    case 'V': return std::string_view("ABCDEFGOXY").find(second) != std::string_view::npos;
    case 'X': return std::string_view("JKLMNO").find(second) != std::string_view::npos;
    default: return false;
    }
}

bool IsCanadianProvinceOrAlias(std::string_view value) {
    for (const std::string_view code : CanadianProvinceCodes())
        if (value == code) return true;
    for (const CanadianAlias& alias : CanadianAliases())
        if (value == alias.alias) return true;
    return false;
}

bool IsNewEnglandAbbreviation(std::string_view value) {
    for (const AbbrevEntry& row : GetAbbrevTable(TableId::NewEngland).rows)
        if (value == row.abbreviation) return true;
    return false;
}

// Whether a call is of the US (K, N, W, AA-AL) or Canada (VA-VG, VO, VY,
// CF-CK, CY-CZ, XJ-XO): the stations that send a state or province code.
bool IsNorthAmericanCall(std::string_view call) {
    if (call.empty()) return false;
    const char first = ToAsciiUpper(call[0]);
    if (first == 'K' || first == 'N' || first == 'W') return true;
    if (call.size() < 2) return false;
    const char second = ToAsciiUpper(call[1]);
    if (first == 'A') return second >= 'A' && second <= 'L';
    return IsCanadianPrefix(std::string{first, second});
}

// Whether `code` is the code of a US state or of DC (a state of the
// gazetteer with a FIPS number up to 56).
bool IsUsStateCode(std::string_view code) {
    static const std::array<bool, 26 * 26> kStates = [] {
        std::array<bool, 26 * 26> states{};
        for (const GazetteerRow& row : Gazetteer())
            if (row.stateNumber <= 56)
                states[static_cast<std::size_t>((row.stateCode[0] - 'A') * 26 + row.stateCode[1] - 'A')] = true;
        return states;
    }();
    if (code.size() != 2 || !IsAsciiUpper(code[0]) || !IsAsciiUpper(code[1])) return false;
    return kStates[static_cast<std::size_t>((code[0] - 'A') * 26 + code[1] - 'A')];
}

// A county made from a QTH (the town a logbook fills from a callbook) that
// lies outside the record's own US STATE is not taken: the answer becomes
// None with a warning naming the call, the value and both states.
void CheckQthAgainstState(std::string_view written, const CountyQuestion& question, CountyAnswer& answer) {
    if (answer.kind != CountyAnswer::Kind::County) return;
    const std::string_view county[] = {answer.value};
    std::optional<ReportMessage> warning = QthOutsideState(written, county, question);
    if (!warning) return;
    answer.messages.push_back(std::move(*warning));
    answer.kind = CountyAnswer::Kind::None;
    answer.value = {};
}

// Whether the value stays as it is before any rule is asked.
bool SilentByForm(std::string_view value, bool own) {
    if (value.find(',') != std::string_view::npos) return true; // converted already
    return own ? value.find('/') != std::string_view::npos : EqualsNoCase(value, "DX");
}

// The rules after the form: fills `answer` (its kind County, State or still
// None) and its messages; Silent is told apart from None by the caller.
void AnswerByRules(std::string_view value, std::string_view written, const CountyQuestion& question,
                   CountyAnswer& answer) {
    const bool own = IsOwnCountyField(question.field);
    const bool hasCall = question.callsign.has_value() && !question.callsign->empty();
    const std::string_view call = hasCall ? *question.callsign : kNoCall;
    if (const std::string_view area = AreaCode(value); !area.empty()) {
        // A state code names a state only from a station of the US or Canada.
        if (own || !hasCall || IsNorthAmericanCall(call)) {
            answer.kind = CountyAnswer::Kind::State;
            answer.value = area;
        }
        return;
    }

    // A Canadian station may give its province (or an alias of it) instead
    // of a county; a callsign without a prefix is reported and looked up anyway.
    if (hasCall) {
        std::string prefix;
        const int code = ExtractCallsignPrefix(call, prefix);
        if (code != 0) {
            answer.messages.push_back(
                {.kind = MessageKind::Error, .text = "Can't determine prefix for " + std::string(call), .code = code});
        } else if (IsCanadianPrefix(prefix) && IsCanadianProvinceOrAlias(value)) {
            return;
        }
    }

    const LookupResult found = LookupAbbreviation(value, question.selection, question.list);
    if (!found.message.empty()) {
        std::string line;
        line.reserve(call.size() + 16 + found.message.size());
        line.append(call).append(own ? " (own county): " : ": ").append(found.message);
        answer.messages.push_back({.kind = MessageKind::Warning, .text = std::move(line), .labelled = false});
    }
    switch (found.kind) {
    case LookupResult::Kind::County:
        answer.kind = CountyAnswer::Kind::County;
        answer.value = found.county->cntyValue;
        CheckQthAgainstState(written, question, answer);
        return;
    case LookupResult::Kind::State:
        answer.kind = CountyAnswer::Kind::State;
        answer.value = found.state;
        if (found.city != nullptr) answer.city = found.city->cntyValue;
        return;
    case LookupResult::Kind::None: break;
    }
    if (question.selection.QuietForNewEngland() && IsNewEnglandAbbreviation(value)) return;
    // A Selection without tables has said so for this field: one row is enough.
    if (!found.message.empty() && question.selection.IsValid() && TablesForSelection(question.selection).empty() &&
        question.list == nullptr)
        return;

    std::string warning;
    if (own) warning.append("Own county ").append(written).append(" of the QSO with ").append(call);
    else warning.append(call).append(" in ").append(written);
    warning.append(" is not a valid ").append(question.selection.Name()).append(" county abbreviation.");
    answer.messages.push_back({.kind = MessageKind::Warning, .text = std::move(warning)});
}

} // namespace

bool IsOwnCountyField(FieldKind kind) {
    return kind == FieldKind::MyCounty || kind == FieldKind::SentExchange || kind == FieldKind::MyCnty;
}

bool IsRecordState(std::string_view value) {
    return value.size() == 2 && IsUsStateCode(AsciiUpperCase(value));
}

std::optional<ReportMessage> QthOutsideState(std::string_view written, std::span<const std::string_view> counties,
                                             const CountyQuestion& question) {
    if (question.field != FieldKind::Qth || !question.state || !IsRecordState(*question.state)) return std::nullopt;
    const std::string state = AsciiUpperCase(*question.state);
    std::vector<std::string_view> states; // those of the counties, each once, in their order
    for (const std::string_view county : counties) {
        const std::string_view of = county.substr(0, 2);
        if (std::find(states.begin(), states.end(), of) == states.end()) states.push_back(of);
    }
    if (states.empty() || (states.size() == 1 && states.front() == state)) return std::nullopt;
    std::string warning(question.callsign && !question.callsign->empty() ? *question.callsign : kNoCall);
    warning.append(": QTH ").append(written).append(" would be ");
    for (std::size_t i = 0; i < counties.size(); ++i) warning.append(i == 0 ? "" : "/").append(counties[i]);
    warning.append(counties.size() == 1 ? ", a county of " : ", counties of ");
    for (std::size_t i = 0; i < states.size(); ++i) warning.append(i == 0 ? "" : " and ").append(states[i]);
    warning.append(", but the record's STATE is ").append(state).append("; left as it was.");
    return ReportMessage{.kind = MessageKind::Warning, .text = std::move(warning)};
}

std::string_view CountyAnswerKindName(CountyAnswer::Kind kind) {
    switch (kind) {
    case CountyAnswer::Kind::County: return "county";
    case CountyAnswer::Kind::State: return "state";
    case CountyAnswer::Kind::Silent: return "silent";
    case CountyAnswer::Kind::None: break;
    }
    return "none";
}

std::optional<std::uint8_t> CallsignClass(std::optional<std::string_view> callsign, std::string& scratch) {
    if (!callsign || callsign->empty()) return 0;
    if (ExtractCallsignPrefix(*callsign, scratch) != 0) return std::nullopt;
    return static_cast<std::uint8_t>(1 | (IsCanadianPrefix(scratch) ? 2 : 0) | (IsNorthAmericanCall(*callsign) ? 4 : 0));
}

bool AnswerDependsOnCallsign(std::string_view value) {
    const std::string upper = AsciiUpperCase(value);
    return !AreaCode(upper).empty() || IsCanadianProvinceOrAlias(upper);
}

CountyAnswer AnswerCountyValue(std::string_view value, const CountyQuestion& question) {
    CountyAnswer answer;
    const bool own = IsOwnCountyField(question.field);
    if (SilentByForm(value, own)) {
        answer.kind = CountyAnswer::Kind::Silent;
        return answer;
    }
    if (value.empty()) { // no county, nothing to say
        answer.kind = CountyAnswer::Kind::Silent;
        return answer;
    }
    // A value is read in upper case (a copy only when it has a lower-case
    // letter); messages quote it as written.
    const std::string_view written = value;
    std::string upper;
    if (std::any_of(value.begin(), value.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
        upper = AsciiUpperCase(value);
        value = upper;
    }
    AnswerByRules(value, written, question, answer);
    if (answer.kind == CountyAnswer::Kind::None && answer.messages.empty()) answer.kind = CountyAnswer::Kind::Silent;
    return answer;
}

} // namespace shirl
