#pragma once
// What the writer does with one matched logbook record: the fields it
// adds and the copies it writes after it, decided from the record's own
// county fields and the contest QSO's counties.
#include <string>
#include <vector>

#include "convert/convert_qso.h"
#include "fill/contest_qsos.h"
#include "fill/qso_facts.h"
#include "fill/record_edit.h"

namespace shirl {

struct FillPlan {
    bool filled = false;                       // the record gets CNTY
    std::vector<NewField> added;               // at the record's end
    std::vector<std::vector<NewField>> copies; // the values of each further record, in order
    std::vector<std::string> disagreements;    // what the report names, without the QSO's label
};

// The plan for the record `facts` paired with `qso`. A record without CNTY
// gets the QSO's first county and its STATE (unless the record's STATE
// says another state: then nothing); one with a CNTY keeps it, and a CNTY
// that is none of the QSO's counties is a disagreement, and a record that
// disagrees gets nothing. MY_CNTY likewise
// from the QSO's own counties. The further counties of a county line
// become copies, or USACA_COUNTIES (MY_USACA_COUNTIES) with `countyLines`
// Usaca.
FillPlan PlanFill(const QsoFacts& facts, const ContestQso& qso, CountyLines countyLines);

} // namespace shirl
