#pragma once
// The text a record's QSO_DATE and TIME_ON are written with.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace shirl {

// "YYYYMMDD" (a negative or longer year as it is) and "HHMMSS" of a moment.
struct UtcText {
    char date[24];
    std::size_t dateLength;
    char time[6];
    std::string_view Date() const { return {date, dateLength}; }
    std::string_view Time() const { return {time, 6}; }
};

// The text of a moment given in seconds since 1970-01-01 00:00:00.
UtcText FormatUtc(std::int64_t seconds);

// FormatUtc keeping the date of the day it formatted last: the records a
// run writes mostly share their day, whose date is then not worked out
// again.
class UtcFormatter {
public:
    // The same text as FormatUtc(seconds).
    UtcText Format(std::int64_t seconds);

private:
    std::optional<std::int64_t> m_day; // of m_last
    UtcText m_last{};
};

} // namespace shirl
