// The dates and times of a run: calendar arithmetic, the text of a moment,
// and the clock that carries QSO_DATE and TIME_ON from QSO to QSO.
#include <gtest/gtest.h>

#include "tests/support/report_rows.h"

#include <optional>
#include <string>
#include <vector>

#include "convert/qso_time.h"

namespace shirl {
namespace {

TEST(CivilCalendar, DaysRoundTrip) {
    struct Case {
        std::int64_t y;
        int m, d;
        std::int64_t days;
    };
    for (const Case c : {Case{1970, 1, 1, 0}, Case{2020, 1, 31, 18292}, Case{2000, 2, 29, 11016},
                         Case{1969, 12, 31, -1}, Case{2100, 3, 1, 47541}}) {
        EXPECT_EQ(DaysFromCivil(c.y, c.m, c.d), c.days) << c.y << "-" << c.m << "-" << c.d;
        const CivilDate back = CivilFromDays(c.days);
        EXPECT_EQ(back.year, c.y);
        EXPECT_EQ(back.month, c.m);
        EXPECT_EQ(back.day, c.d);
    }
}
TEST(UtcText, DateAndTimeOfAMoment) {
    struct Case {
        std::int64_t seconds;
        std::string date, time;
    };
    for (const Case& c : {Case{0, "19700101", "000000"}, Case{-1, "19691231", "235959"},
                          Case{1580474096, "20200131", "123456"}, Case{951868799, "20000229", "235959"},
                          Case{-62135596800, "00010101", "000000"}, Case{-62135596801, "00001231", "235959"},
                          Case{253402300800, "100000101", "000000"}}) {
        const UtcText text = FormatUtc(c.seconds);
        EXPECT_EQ(text.Date(), c.date) << c.seconds;
        EXPECT_EQ(text.Time(), c.time) << c.seconds;
    }
    // A formatter gives the same texts whatever came before: the same day,
    // another day, back again, a moment before 1970.
    UtcFormatter formatter;
    for (const std::int64_t seconds :
         {1580474096LL, 1580474097LL, 1580515199LL, 1580515200LL, 1580474096LL, -1LL, -86400LL, -86401LL, 0LL}) {
        const UtcText text = formatter.Format(seconds), expected = FormatUtc(seconds);
        EXPECT_EQ(text.Date(), expected.Date()) << seconds;
        EXPECT_EQ(text.Time(), expected.Time()) << seconds;
    }
    EXPECT_EQ(FormatUtc(-62167219201).Date(), "-00011231"); // the year before year 0
}

// Each row feeds the clock a QSO's date and time (empty: not given) and
// expects the QSO's moment as text (empty: none) and the messages.
TEST(QsoClock, CarriesDateAndTimeAndRollsOver) {
    struct Step {
        const char* date;
        const char* time;
        const char* expected; // "YYYYMMDD HHMMSS" or ""
    };
    const std::vector<Step> steps = {
        {"", "1234", ""},                          // no date yet
        {"20200131", "", "20200131 123400"},       // the earlier time is kept
        {"", "2400", "20200201 000000"},           // 24:00 rolls over to the next day
        {"", "", "20200201 000000"},               // and the clock keeps the rolled-over day
        {"20201301", "0102", "20200201 010200"},   // an impossible date keeps the previous one
        {"20200229", "235959", "20200229 235959"}, // leap day
        {"", "235960", "20200229 235959"},         // second 60 cannot be read: nothing is taken
        {"", "12:3", "20200229 235959"},           // nor from text of four or six bytes
        {"", "12:30Z", "20200229 235959"},
        {"", "2460", "20200229 235959"},
        {"", "240000", "20200301 000000"},         // the day's end rolls over
        {"", "12345", "20200301 000000"},          // a time of 5 digits is not taken
        {"20200229", "0100", "20200229 010000"},   // the date read before the roll-over is its own day again
        {"20200229", "", "20200229 010000"},
    };
    QsoClock clock;
    RunReport report;
    for (const Step& step : steps) {
        if (*step.date) clock.TakeDate(step.date, report);
        if (*step.time) clock.TakeTime(step.time, report);
        const std::optional<std::int64_t> moment = clock.Complete();
        std::string text;
        if (moment) {
            const UtcText utc = FormatUtc(*moment);
            text = std::string(utc.Date()) + " " + std::string(utc.Time());
        }
        EXPECT_EQ(text, step.expected) << step.date << " " << step.time;
    }
    EXPECT_EQ(test::Rows(report.inputProblems),
              (std::vector<std::string>{"Could not parse date 20201301", "Could not parse time 235960",
                                        "Could not parse time 12:3", "Could not parse time 12:30Z",
                                        "Could not parse time 2460", "Could not parse time 12345"}));
}

} // namespace
} // namespace shirl
