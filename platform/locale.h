#pragma once
#include <ctime>
#include <string>
#include <string_view>

// The user's regional settings as the C library sees them after setlocale(LC_ALL, "").
struct LocaleFormats {
    std::string thousandsSeparator; // may be empty
    std::string decimalSeparator;   // never empty
    std::string shortDateFormat;    // strftime form of the short date, e.g. "%d.%m.%Y"
    std::string longTimeFormat;     // strftime form of the time, e.g. "%H:%M:%S"
    std::string timeSeparator;      // the character between hours and minutes
    int shortDateOrder = 1;         // 0 month-day-year, 1 day-month-year, 2 year-month-day
};

// Read once from the current C locale; the program sets the locale before the first call.
const LocaleFormats& CurrentLocale();
LocaleFormats ReadLocaleFormats();

// Local calendar fields of a point in time.
struct LocalTime {
    int year, month, day, hour, minute, second, weekday; // weekday 0 = Sunday
};
LocalTime ToLocalTime(std::time_t t);

// Renders date or time fields by a strftime-like format, fast for the common conversions.
std::string FormatLocalTime(const LocalTime& t, std::string_view format);

// Upper-cases text by the locale (multibyte aware).
std::string UpperCase(std::string_view text);
