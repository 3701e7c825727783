#include "convert/qso_time.h"

#include <algorithm>
#include <string>

#include "base/text_util.h"

namespace shirl {
namespace {

bool IsLeapYear(std::int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(std::int64_t y, int m) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return (m == 2 && IsLeapYear(y)) ? 29 : kDays[m - 1];
}

} // namespace

std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yoe = year - era * 400;
    const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t doe = days - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

UtcTime UtcFromSeconds(std::int64_t seconds) {
    const std::int64_t days = DayOfMoment(seconds);
    const auto secondOfDay = static_cast<int>(seconds - days * kSecondsPerDay);
    return {CivilFromDays(days), secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60};
}

std::optional<std::int64_t> ReadQsoDate(std::string_view value) {
    if (value.size() != 8 || !std::all_of(value.begin(), value.end(), IsAsciiDigit)) return std::nullopt;
    const std::int64_t year = (value[0] - '0') * 1000 + (value[1] - '0') * 100 + (value[2] - '0') * 10 + (value[3] - '0');
    const int month = (value[4] - '0') * 10 + (value[5] - '0');
    const int day = (value[6] - '0') * 10 + (value[7] - '0');
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
    return DaysFromCivil(year, month, day);
}

std::optional<std::int64_t> ReadQsoTime(std::string_view value) {
    if ((value.size() != 4 && value.size() != 6) || !std::all_of(value.begin(), value.end(), IsAsciiDigit))
        return std::nullopt;
    const auto two = [value](std::size_t at) { return (value[at] - '0') * 10 + (value[at + 1] - '0'); };
    const int hour = two(0), minute = two(2), second = value.size() == 6 ? two(4) : 0;
    if (hour == 24 && minute == 0 && second == 0) return kSecondsPerDay;
    if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
    return hour * 3600 + minute * 60 + second;
}

bool QsoClock::TakeDate(std::string_view value, RunReport& report) {
    if (m_dateTextHolds && value == std::string_view(m_dateText, sizeof m_dateText)) return true; // the date before
    const std::optional<std::int64_t> days = ReadQsoDate(value);
    if (!days) {
        report.inputProblems.Unlabelled(MessageKind::Warning, "Could not parse date " + std::string(value));
        return false;
    }
    m_days = *days;
    m_haveDate = true;
    value.copy(m_dateText, sizeof m_dateText); // a readable date has 8 digits
    m_dateTextHolds = true;
    return true;
}

bool QsoClock::TakeTime(std::string_view value, RunReport& report) {
    const std::optional<std::int64_t> seconds = ReadQsoTime(value);
    if (!seconds) {
        report.inputProblems.Unlabelled(MessageKind::Warning, "Could not parse time " + std::string(value));
        return false;
    }
    m_secondOfDay = *seconds;
    return true;
}

std::optional<std::int64_t> QsoClock::Complete() {
    if (!m_haveDate) return std::nullopt;
    const std::int64_t seconds = m_days * kSecondsPerDay + m_secondOfDay;
    if (m_secondOfDay >= kSecondsPerDay) { // 24:00 is 00:00 of the next day, for the next QSOs too
        m_days += m_secondOfDay / kSecondsPerDay;
        m_secondOfDay %= kSecondsPerDay;
        m_dateTextHolds = false; // the days are no longer those of the date read
    }
    return seconds;
}

} // namespace shirl
