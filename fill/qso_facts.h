#pragma once
// What the matcher reads of a QSO, the contest log's or a logbook record's:
// the fields it looks at, and the key a pair is made on (the call without
// its portable parts, the band, the mode's family and the start time).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace shirl {

// The values of the fields the matcher reads (views; empty when absent).
// The last field of a name in the record counts.
struct QsoFacts {
    std::string_view call, band, freq, mode, submode, date, time;
    std::string_view cnty, state, usacaCounties;
    std::string_view myCnty, myState, myUsacaCounties;
};

// Takes the field `name` (any letter case) with `value` into `facts` when
// it is one the matcher reads.
void TakeFact(QsoFacts& facts, std::string_view name, std::string_view value);

// The call as the matcher compares it: upper case, and of the parts that
// '/' separates the one that is the callsign itself (a part with a letter
// and a digit that ends in a letter, else the longest with a letter and a
// digit): "kh6/k1abc", "K1ABC/M", "K1ABC/4" and "K1ABC/AUT" all give
// "K1ABC". Empty when no part has a letter and a digit.
std::string CallKey(std::string_view call);

// The ADIF band in lower case: BAND, or the band of FREQ (MHz) where BAND
// is empty; empty when neither gives one.
std::string BandOfQso(std::string_view band, std::string_view freq);

// The mode's family (data/mode_families.csv): of MODE, else of SUBMODE (a
// MODE that is a group, or one the table lacks), else MODE itself in upper
// case, so that an unknown mode pairs only with itself. Empty without MODE.
std::string ModeFamilyOfQso(std::string_view mode, std::string_view submode);

// Seconds since 1970 of QSO_DATE "YYYYMMDD" and TIME_ON "HHMM" or
// "HHMMSS", or nullopt when either is not such a value.
std::optional<std::int64_t> QsoStart(std::string_view date, std::string_view time);

// The key of a pair: call, band, mode family and start.
struct MatchKey {
    std::string call, band, family;
    std::int64_t start = 0;
};

// The key of a QSO, or nullopt when it lacks a call, a band, a mode or a
// readable start.
std::optional<MatchKey> MatchKeyOf(const QsoFacts& facts);

// Whether a value has the form of a converted county, "ST,Name".
bool IsCountyValue(std::string_view value);

} // namespace shirl
