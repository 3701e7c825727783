#pragma once
// The CONTEST_ID values of an ADIF log, read in one pass before the
// conversion so that the run can pick the log's Selection.
#include <string>
#include <vector>

#include "adif/byte_io.h"

namespace shirl {

// At most this many distinct values are kept; a log with more gets "..." as
// its last value (it cannot name a single party).
inline constexpr std::size_t kMaxContestIds = 16;
// Values longer than this name no party; they are kept cut, ending in "...".
inline constexpr std::size_t kMaxContestIdLength = 64;

// Reads `input` to its end and returns the distinct non-empty CONTEST_ID
// values (blanks around them dropped, compared without regard to letter
// case) in the order first met. Tags are read as the conversion reads them:
// the declared length decides where a value ends. `adifLog`, when given, is
// set to whether the input is an ADIF log at all (AdifEvidence).
std::vector<std::string> ReadContestIds(ByteSource& input, bool* adifLog = nullptr);

// Adds one CONTEST_ID value to `found` as ReadContestIds keeps them.
void CollectContestId(std::string_view raw, std::vector<std::string>& found);

} // namespace shirl
