#pragma once
// A county line written in one value: "DAD/BRO" names two counties, as two
// county fields would.
#include <string_view>
#include <vector>

#include "convert/county_answer.h"

namespace shirl {

// One county of a county line: its text (a view of the value, in its letter
// case) and the answer it got.
struct CountyLinePart {
    std::string_view text;
    CountyAnswer answer;
};

// The parts of a worked station's county value joined by "/", when there
// are two to eight and each part alone is a county while the whole value is
// not; otherwise none. Each part is asked once, with `question` (which
// describes the field the value came from).
std::vector<CountyLinePart> CountyLineParts(std::string_view value, const CountyQuestion& question);

} // namespace shirl
