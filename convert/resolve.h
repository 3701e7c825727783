#pragma once
// Applies the answer for a county-bearing field (convert/county_answer.h):
// the field becomes CNTY/STATE (MY_CNTY/MY_STATE) or stays as it is.
#include "convert/county_answer.h"
#include "convert/qso_field.h"
#include "convert/run_report.h"

namespace shirl {

// Gives `field` what `answer` says it is: County renames it CNTY (MY_CNTY for
// an own-county field, IsOwnCountyField) with the value "ST,County name",
// State renames it STATE (MY_STATE) with the state code, Silent and None
// leave it. The answer's messages go to report.countyProblems. Returns 1 exactly
// when the field has become a county, 0 otherwise.
int ApplyCountyAnswer(QsoField& field, CountyAnswer answer, RunReport& report);

// Asks AnswerCountyValue about the field's value (a field without a value
// is left alone) and applies the answer. `question.field` is the field's kind.
int ResolveCountyField(QsoField& field, const CountyQuestion& question, RunReport& report);

} // namespace shirl
