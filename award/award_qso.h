#pragma once
// What the award reads of one logbook record, and the records of a logbook
// read one by one.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "adif/byte_io.h"

namespace shirl {

// The fields of one record (views into the reader's record: valid while the
// callback runs). Empty: the record has no such field.
struct AwardQso {
    std::string_view call, qsoDate, timeOn, band, freq, mode, submode, dxcc;
    std::string_view cnty, state, usacaCounties;
    std::string_view qslRcvd, lotwQslRcvd, eqslQslRcvd;
};

struct LogbookCounts {
    std::int64_t records = 0;
    std::int64_t damaged = 0; // records the reader had to drop (malformed tags)
    bool failed = false;      // reading stopped on a read error
};

// Calls `take` with each complete record of the ADIF stream `input`.
LogbookCounts ReadAwardQsos(ByteSource& input, const std::function<void(const AwardQso&)>& take);

// Whether the QSO is with a station in the USA: DXCC 291, 6 or 110 where the
// record gives DXCC, otherwise a callsign of the USA's blocks (K, N, W,
// AA-AL) outside the territories' H and P prefixes (KH2, NP4, WH0; Hawaii's
// H6 and H7 are in), a portable prefix deciding.
bool IsUsStation(const AwardQso& qso);

// The QSO's band in lower case ("20m"): BAND, else FREQ's band, else "".
std::string BandOfQso(const AwardQso& qso);

} // namespace shirl
