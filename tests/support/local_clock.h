#pragma once
#include <ctime>

inline std::tm CalendarOf(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return tm;
}

// A moment given by the local calendar, so a test expects the same text in every time zone
// without setting one.
inline std::time_t LocalClock(int year, int month, int day, int hour, int minute, int second = 0) {
    std::tm tm = CalendarOf(year, month, day, hour, minute, second);
    return std::mktime(&tm);
}

// A moment given by the calendar in UTC, whatever the zone.
inline std::time_t UtcClock(int year, int month, int day, int hour, int minute, int second = 0) {
    std::tm tm = CalendarOf(year, month, day, hour, minute, second);
    return timegm(&tm);
}
