#pragma once
// The date and time of the QSOs of a run: UTC calendar arithmetic
// (proleptic Gregorian, no time zone), the clock that carries the last
// QSO_DATE and TIME_ON from one QSO to the next, and their output text.
#include <cstdint>
#include <optional>
#include <string_view>

#include "convert/run_report.h"
#include "convert/utc_text.h"

namespace shirl {

// Days since 1970-01-01 of a calendar date.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day);

struct CivilDate {
    std::int64_t year;
    int month;
    int day;
};
// The calendar date of a day number since 1970-01-01.
CivilDate CivilFromDays(std::int64_t days);

inline constexpr std::int64_t kSecondsPerDay = 86400;

// The day since 1970-01-01 that a moment (seconds since 1970-01-01
// 00:00:00) falls on; moments before 1970 count back.
constexpr std::int64_t DayOfMoment(std::int64_t seconds) {
    return seconds / kSecondsPerDay - (seconds % kSecondsPerDay < 0 ? 1 : 0);
}

// A moment split into date and time of day (hour, minute, second in range).
struct UtcTime {
    CivilDate date;
    int hour, minute, second;
};
// Seconds since 1970-01-01 00:00:00 split into date and time of day.
UtcTime UtcFromSeconds(std::int64_t seconds);



// The day number of a QSO_DATE value "YYYYMMDD" of a real date, or nullopt.
std::optional<std::int64_t> ReadQsoDate(std::string_view value);
// The seconds into the day of a time "HHMM" or "HHMMSS" (digits only,
// minutes and seconds up to 59, hours up to 23; "2400" and "240000" are
// the day's end, 86400), or nullopt.
std::optional<std::int64_t> ReadQsoTime(std::string_view value);

// The date and time that the QSOs of a run carry: each QSO_DATE and TIME_ON
// read sets its part; a value that cannot be read leaves it and is reported.
class QsoClock {
public:
    // A QSO_DATE value: "YYYYMMDD" of a real date. True when the date was
    // read from it.
    bool TakeDate(std::string_view value, RunReport& report);
    // A TIME_ON value (ReadQsoTime). True when the time was read from it;
    // nothing is taken from a value that cannot be read.
    bool TakeTime(std::string_view value, RunReport& report);
    // Seconds since 1970 of the QSO being completed, or nullopt before any
    // valid date. Parts out of range roll over (24:00 is 00:00 of the next
    // day), and the clock keeps the rolled-over values for the next QSOs.
    std::optional<std::int64_t> Complete();

private:
    bool m_haveDate = false;
    std::int64_t m_days = 0;         // since 1970-01-01
    char m_dateText[8] = {};         // the QSO_DATE m_days was read from,
    bool m_dateTextHolds = false;    // while they are its days
    std::int64_t m_secondOfDay = 0; // up to 86400 (24:00)
};

} // namespace shirl
