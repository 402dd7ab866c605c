#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "platform/locale.h"
#include "search/date_texts.h"
#include "search/formatting.h"

namespace {

LocaleFormats GermanFormats(std::string date = "%d.%m.%Y", std::string time = "%T") {
    LocaleFormats f;
    f.thousandsSeparator = ".";
    f.decimalSeparator = ",";
    f.shortDateFormat = std::move(date);
    f.longTimeFormat = std::move(time);
    return f;
}

LocalTime FieldsOf(const std::tm& tm) {
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
            tm.tm_min,         tm.tm_sec,     tm.tm_wday};
}

// A zone of its own, independent of TZ: UTC+1, and UTC+2 from 2024-03-31 01:00 UTC (02:00
// local becomes 03:00). At 2016-12-31 23:59:60 UTC+1 it counts a leap second, so its later
// clock runs one second behind UTC+1 and UTC+2.
constexpr std::time_t kSpringForward = 1711846800;
constexpr std::time_t kLeapSecond = 1483225200; // the second after 2016-12-31 23:59:59 local
LocalTime TestZone(std::time_t t) {
    if (t == kLeapSecond)
        return {2016, 12, 31, 23, 59, 60, 6};
    const std::time_t shifted = (t > kLeapSecond ? t - 1 : t) + (t >= kSpringForward ? 7200 : 3600);
    std::tm tm{};
    gmtime_r(&shifted, &tm);
    return FieldsOf(tm);
}

std::string Expected(std::time_t t, bool withWeekday, const LocaleFormats& f) {
    static const char* const weekdays[] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    const LocalTime l = TestZone(t);
    const std::string date = FormatLocalTime(l, f.shortDateFormat);
    const std::string clock = FormatLocalTime(l, f.longTimeFormat);
    return withWeekday ? std::string(weekdays[l.weekday]) + ", " + date + ", " + clock
                       : date + " " + clock;
}

} // namespace

// The cache against a direct conversion in the test's own time zone (run with TZ set to a
// zone with daylight saving): every half hour over days around the changes of 2024 in
// Europe and North America, and back again, so cached days are met a second time.
TEST(DateTexts, SameTextsAsDateTextInTheLocalZone) {
    std::vector<std::time_t> times;
    for (const std::time_t around :
         {1711846800L, 1729990800L, 1710054000L, 1730613600L, 0L, 1072273512L, 4102444800L})
        for (std::time_t t = around - 2 * 86400; t < around + 2 * 86400; t += 1801)
            times.push_back(t);
    for (std::size_t i = times.size(); i-- > 0;)
        times.push_back(times[i] + 59);
    for (const bool withWeekday : {false, true}) {
        DateTexts texts(withWeekday);
        std::string out;
        for (const std::time_t t : times) {
            texts.Assign(out, t);
            ASSERT_EQ(out, DateText(t, withWeekday)) << "t=" << t << " weekday=" << withWeekday;
        }
    }
}

// Days whose clock jumps are converted one by one; a cached neighbour day is not stretched
// over them.
TEST(DateTexts, ClockJumpsAndLeapSecondsAreNotTakenFromTheCache) {
    const std::time_t dayBefore = kSpringForward - 86400, dayAfter = kSpringForward + 86400;
    const std::vector<std::time_t> times = {
        dayBefore,          kSpringForward - 1, kSpringForward,      kSpringForward + 3600,
        dayAfter,           dayAfter + 7199,    kSpringForward - 60, kSpringForward + 60,
        kLeapSecond - 3600, kLeapSecond - 1,    kLeapSecond,         kLeapSecond + 1,
        kLeapSecond - 2,    kLeapSecond + 2,    dayBefore + 1};
    for (const bool withWeekday : {false, true}) {
        for (const LocaleFormats& f :
             {GermanFormats(), GermanFormats("%Y-%m-%d", "%H.%M.%S"),
              GermanFormats("%d.%m.%Y %H", "%T")}) { // a date that shows the hour: no cache
            DateTexts texts(withWeekday, f, TestZone);
            std::string out;
            for (const std::time_t t : times) {
                texts.Assign(out, t);
                EXPECT_EQ(out, Expected(t, withWeekday, f)) << t << " " << f.shortDateFormat;
            }
        }
    }
    DateTexts texts(false, GermanFormats(), TestZone);
    std::string out;
    texts.Assign(out, kLeapSecond);
    EXPECT_EQ(out, "31.12.2016 23:59:60");
    texts.Assign(out, kSpringForward + 1);
    EXPECT_EQ(out, "31.03.2024 03:00:00");
}
