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

// A bare state, province or region code stands for itself.
bool IsAreaCode(std::string_view value) {
    if (value.size() != 2) return false; // every area code has two letters
    const auto codes = AreaSelectionCodes();
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

void RenameStateField(QsoField& field, bool myField) {
    RenameField(field, myField ? "MY_STATE" : "STATE", myField ? FieldKind::MyState : FieldKind::State);
}

} // namespace

int ResolveCountyField(QsoField& field, Selection selection, std::optional<std::string_view> callsign,
                       bool myField, RunReport& report, const AbbrevList* list) {
    if (!field.value) return 0; // nothing to resolve
    const std::string_view value = *field.value;

    if (IsAreaCode(value)) {
        RenameStateField(field, myField);
        return 0;
    }

    const bool hasCall = callsign.has_value() && !callsign->empty();
    const std::string_view call = hasCall ? *callsign : kNoCall;

    // A Canadian station may give its province (or an alias of it) instead
    // of a county; a callsign without a prefix is reported and looked up anyway.
    if (hasCall) {
        std::string prefix;
        const int code = ExtractCallsignPrefix(call, prefix);
        if (code != 0) {
            report.second.Error("Can't determine prefix for " + std::string(call), code);
        } else if (IsCanadianPrefix(prefix) && IsCanadianProvinceOrAlias(value)) {
            return 0;
        }
    }

    const LookupResult found = LookupAbbreviation(value, selection, list);
    if (!found.message.empty()) {
        std::string line;
        line.reserve(call.size() + 2 + found.message.size());
        line.append(call).append(": ").append(found.message);
        report.second.Unlabelled(MessageKind::Warning, std::move(line));
    }

    switch (found.kind) {
    case LookupResult::Kind::County: {
        const CountyRecord& county = *found.county;
        RenameField(field, myField ? "MY_CNTY" : "CNTY", myField ? FieldKind::MyCnty : FieldKind::Cnty);
        SetValueView(field, county.cntyValue);
        return 1;
    }
    case LookupResult::Kind::State:
        RenameStateField(field, myField);
        SetValue(field, found.state);
        if (found.city != nullptr && !myField) field.city = found.city->cntyValue;
        return 0;
    case LookupResult::Kind::None:
        break;
    }

    if (selection.QuietForNewEngland() && IsNewEnglandAbbreviation(value)) return 0;

    std::string warning(call);
    warning
        .append(" in ")
        .append(value)
        .append(" is not a valid ")
        .append(selection.Name())
        .append(" county abbreviation.");
    report.second.Warning(std::move(warning));
    return 0;
}

} // namespace shirl
