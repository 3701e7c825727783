// County field resolution: one county-bearing field becomes CNTY/STATE
// (MY_CNTY/MY_STATE), or stays as it is with a message.
//
// No message is cut to a buffer size, and a message that names the callsign
// says "(no call)" when the QSO has none. A CALL field with an empty value counts as no callsign: there
// is nothing to take a prefix from and nothing to name.
#include "convert/resolve.h"

#include <algorithm>
#include <string>

#include "base/text_util.h"
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

// The text with its line breaks shown as \r and \n, so that a message
// stays one row.
std::string OnOneLine(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else out += c;
    }
    return out;
}

void RenameStateField(QsoField& field, bool myField) {
    RenameField(field, myField ? "MY_STATE" : "STATE", myField ? FieldKind::MyState : FieldKind::State);
}

} // namespace

int ResolveCountyField(QsoField& field, Selection selection, std::optional<std::string_view> callsign,
                       bool myField, RunReport& report, const AbbrevList* list) {
    if (!field.value || field.value->empty()) return 0; // nothing to resolve, nothing to say
    const std::string written(*field.value); // as the input has it, for the messages
    const std::string upper = AsciiUpperCase(written);
    const std::string_view value = upper;

    const bool hasCall = callsign.has_value() && !callsign->empty();
    const std::string_view call = hasCall ? *callsign : kNoCall;
    if (IsAreaCode(value)) {
        // A state code names a state only from a station of the US or Canada.
        if (myField || !hasCall || IsNorthAmericanCall(call)) {
            RenameStateField(field, myField);
            SetValue(field, value);
        }
        return 0;
    }

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
        line.reserve(call.size() + 16 + found.message.size());
        line.append(call).append(myField ? " (own county): " : ": ").append(OnOneLine(found.message));
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
        return 0;
    case LookupResult::Kind::None:
        break;
    }

    if (selection.QuietForNewEngland() && IsNewEnglandAbbreviation(value)) return 0;
    // A Selection without tables has said so for this field: one row is enough.
    if (!found.message.empty() && selection.IsValid() && TablesForSelection(selection).empty() && list == nullptr)
        return 0;

    std::string warning;
    if (myField) warning.append("Own county ").append(OnOneLine(written)).append(" of the QSO with ").append(call);
    else warning.append(call).append(" in ").append(OnOneLine(written));
    warning.append(" is not a valid ").append(selection.Name()).append(" county abbreviation.");
    report.second.Warning(std::move(warning));
    return 0;
}

} // namespace shirl
