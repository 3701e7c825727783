#pragma once
// Rewrites one county-bearing field into CNTY/STATE (or MY_CNTY/MY_STATE).
#include <optional>
#include <string_view>

#include "adif/records.h"
#include "data/abbrev_list.h"

namespace shirl {

// Returns 1 exactly when the field has become CNTY (MY_CNTY when `myField`)
// with the value "ST,County name"; 0 otherwise (field unchanged, or renamed
// to STATE/MY_STATE). Problems go to report.second. `callsign` is the QSO's
// CALL value seen so far, or nullopt; messages then say "(no call)".
int ResolveCountyField(AdifField& field, int selection, std::optional<std::string_view> callsign,
                       bool myField, RunReport& report, const AbbrevList* list = nullptr);

} // namespace shirl
