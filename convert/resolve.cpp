// County field resolution: one county-bearing field becomes CNTY/STATE
// (MY_CNTY/MY_STATE), or stays as it is with a message.
//
// No message is cut to a buffer size, and a message that names the callsign
// says "(no call)" when the QSO has none. A CALL field with an empty value counts as no callsign: there
// is nothing to take a prefix from and nothing to name.
#include "convert/resolve.h"

#include <algorithm>
#include <string>

#include "convert/lookup.h"
#include "convert/prefix.h"
#include "data/abbrev_tables.h"
#include "data/selections.h"

namespace shirl {
namespace {

constexpr std::string_view kNoCall = "(no call)";
constexpr int kNewEnglandQsoParty = 57;
constexpr int kMulti = 60;

bool IsSelectionCode(std::string_view value) {
    const auto codes = StateSelectionCodes();
    return std::binary_search(codes.begin(), codes.end(), value);
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

} // namespace

int ResolveCountyField(AdifField& field, int selection, std::optional<std::string_view> callsign,
                       bool myField, RunReport& report, const AbbrevList* list) {
    // 1. No value: nothing to resolve.
    if (!field.value) return 0;
    const std::string_view value = *field.value;

    // 2. A bare state or province code.
    if (IsSelectionCode(value)) {
        field.name = myField ? "MY_STATE" : "STATE";
        return 0;
    }

    const bool hasCall = callsign.has_value() && !callsign->empty();
    const std::string_view call = hasCall ? *callsign : kNoCall;

    // 3./4. The prefix, and a Canadian station's province.
    if (hasCall) {
        std::string prefix;
        const int code = ExtractCallsignPrefix(call, prefix);
        if (code != 0) {
            PushMessage(report.second, "ERROR [" + std::to_string(code) +
                                           "]: Can't determine prefix for " + std::string(call));
        } else if (IsCanadianPrefix(prefix) && IsCanadianProvinceOrAlias(value)) {
            return 0;
        }
    }

    // 5. The lookup.
    const LookupResult found = LookupAbbreviation(value, selection, list);
    if (!found.message.empty()) {
        std::string line;
        line.reserve(call.size() + 2 + found.message.size());
        line.append(call).append(": ").append(found.message);
        PushMessage(report.second, std::move(line));
    }

    // 6. The outcome.
    switch (found.kind) {
    case LookupResult::Kind::County: {
        const CountyRecord& county = *found.county;
        field.name = myField ? "MY_CNTY" : "CNTY";
        std::string& out = *field.value; // `value` is not used from here on
        out.assign(county.stateCode).append(1, ',').append(county.countyName);
        return 1;
    }
    case LookupResult::Kind::State:
        field.name = myField ? "MY_STATE" : "STATE";
        field.value->assign(found.state);
        return 0;
    case LookupResult::Kind::None:
        break;
    }

    if ((selection == kNewEnglandQsoParty || selection == kMulti) && IsNewEnglandAbbreviation(value))
        return 0;

    std::string warning = "WARNING: ";
    warning.append(call)
        .append(" in ")
        .append(value)
        .append(" is not a valid ")
        .append(SelectionName(selection))
        .append(" county abbreviation.");
    PushMessage(report.second, std::move(warning));
    return 0;
}

} // namespace shirl
