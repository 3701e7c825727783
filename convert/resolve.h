#pragma once
// Rewrites one county-bearing field into CNTY/STATE (or MY_CNTY/MY_STATE).
#include <optional>
#include <string_view>

#include "convert/qso_field.h"
#include "convert/run_report.h"
#include "data/abbrev_list.h"
#include "data/selections.h"

namespace shirl {

// Returns 1 exactly when the field has become CNTY (MY_CNTY when `myField`)
// with the value "ST,County name"; 0 otherwise (field unchanged, or renamed
// to STATE/MY_STATE). A renamed field gets the kind of its new name. Problems go to report.second. `callsign` is the QSO's
// CALL value seen so far, or nullopt; messages then say "(no call)".
int ResolveCountyField(QsoField& field, Selection selection, std::optional<std::string_view> callsign,
                       bool myField, RunReport& report, const AbbrevList* list = nullptr);

} // namespace shirl
