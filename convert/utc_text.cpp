#include "convert/utc_text.h"

#include <charconv>

#include "convert/qso_time.h"

namespace shirl {
namespace {

void PutTwoDigits(char* out, int value) {
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
}

void PutTime(UtcText& text, int secondOfDay) {
    PutTwoDigits(text.time, secondOfDay / 3600);
    PutTwoDigits(text.time + 2, secondOfDay / 60 % 60);
    PutTwoDigits(text.time + 4, secondOfDay % 60);
}

} // namespace

UtcText FormatUtc(std::int64_t seconds) {
    const UtcTime t = UtcFromSeconds(seconds);
    UtcText text{};
    const std::int64_t year = t.date.year;
    std::size_t n = 0;
    if (year >= 0 && year <= 9999) { // the four digits of every year a log holds
        PutTwoDigits(text.date, static_cast<int>(year / 100));
        PutTwoDigits(text.date + 2, static_cast<int>(year % 100));
        n = 4;
    } else {
        char digits[20];
        const auto yearLength = static_cast<std::size_t>(
            std::to_chars(digits, digits + sizeof digits, year < 0 ? -year : year).ptr - digits);
        if (year < 0) text.date[n++] = '-';
        for (std::size_t pad = yearLength; pad < 4; ++pad) text.date[n++] = '0';
        for (std::size_t i = 0; i < yearLength; ++i) text.date[n++] = digits[i];
    }
    PutTwoDigits(text.date + n, t.date.month);
    PutTwoDigits(text.date + n + 2, t.date.day);
    text.dateLength = n + 4;
    PutTime(text, t.hour * 3600 + t.minute * 60 + t.second);
    return text;
}

UtcText UtcFormatter::Format(std::int64_t seconds) {
    const std::int64_t day = DayOfMoment(seconds);
    if (m_day != day) {
        m_last = FormatUtc(seconds);
        m_day = day;
        return m_last;
    }
    UtcText text = m_last;
    PutTime(text, static_cast<int>(seconds - day * kSecondsPerDay));
    return text;
}

} // namespace shirl
