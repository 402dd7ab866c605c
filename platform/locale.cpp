#include "platform/locale.h"

#include <climits>
#include <clocale>
#include <cstring>
#include <cwchar>
#include <ctime>
#include <cwctype>
#include <langinfo.h>

namespace {

std::string TimeSeparatorOf(const std::string& timeFormat) {
    // %T and %R use a colon; otherwise take the first literal between two conversions.
    for (std::size_t i = 0; i + 1 < timeFormat.size(); ++i) {
        if (timeFormat[i] != '%') continue;
        const char c = timeFormat[i + 1];
        if (c == 'T' || c == 'R') return ":";
        if ((c == 'H' || c == 'I' || c == 'k' || c == 'l') && i + 2 < timeFormat.size() &&
            timeFormat[i + 2] != '%')
            return timeFormat.substr(i + 2, 1);
        ++i;
    }
    return ":";
}

int DateOrderOf(const std::string& dateFormat) {
    const auto pos = [&](std::string_view keys) {
        for (std::size_t i = 0; i + 1 < dateFormat.size(); ++i)
            if (dateFormat[i] == '%' && keys.find(dateFormat[i + 1]) != std::string_view::npos)
                return i;
        return std::string::npos;
    };
    const auto d = pos("de"), m = pos("mbB"), y = pos("yY");
    if (y != std::string::npos && y < m && y < d) return 2;
    if (m != std::string::npos && d != std::string::npos && m < d) return 0;
    if (dateFormat.find("%D") != std::string::npos) return 0;
    if (dateFormat.find("%F") != std::string::npos) return 2;
    return 1;
}

void AppendNumber(std::string& out, int value, int width, char pad = '0') {
    char buf[16];
    int n = 0;
    unsigned v = value < 0 ? 0u : static_cast<unsigned>(value);
    do {
        buf[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v);
    for (int i = n; i < width; ++i) out.push_back(pad);
    while (n) out.push_back(buf[--n]);
}

} // namespace

LocaleFormats ReadLocaleFormats() {
    LocaleFormats f;
    f.thousandsSeparator = nl_langinfo(THOUSEP);
    const char* radix = nl_langinfo(RADIXCHAR);
    f.decimalSeparator.assign(radix && *radix ? radix : ".");
    f.shortDateFormat = nl_langinfo(D_FMT);
    f.longTimeFormat = nl_langinfo(T_FMT);
    if (f.shortDateFormat.empty()) f.shortDateFormat = "%m/%d/%y";
    if (f.longTimeFormat.empty()) f.longTimeFormat = "%H:%M:%S";
    f.timeSeparator = TimeSeparatorOf(f.longTimeFormat);
    f.shortDateOrder = DateOrderOf(f.shortDateFormat);
    return f;
}

const LocaleFormats& CurrentLocale() {
    static const LocaleFormats formats = ReadLocaleFormats();
    return formats;
}

LocalTime ToLocalTime(std::time_t t) {
    // The zone is read once, by whichever thread comes first: a search still ending and a new
    // one may both convert times, and C++ orders this first read before both of them.
    static const bool zoneRead = (tzset(), true);
    (void)zoneRead;
    std::tm tm{};
    localtime_r(&t, &tm); // unlike localtime(), does not re-read the time zone every call
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
            tm.tm_min,         tm.tm_sec,     tm.tm_wday};
}

std::string FormatLocalTime(const LocalTime& t, std::string_view format) {
    std::string out;
    out.reserve(24);
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            out.push_back(format[i]);
            continue;
        }
        const char c = format[++i];
        switch (c) {
        case 'd': AppendNumber(out, t.day, 2); break;
        case 'e': AppendNumber(out, t.day, 2, ' '); break;
        case 'm': AppendNumber(out, t.month, 2); break;
        case 'Y': AppendNumber(out, t.year, 4); break;
        case 'y': AppendNumber(out, t.year % 100, 2); break;
        case 'H': AppendNumber(out, t.hour, 2); break;
        case 'M': AppendNumber(out, t.minute, 2); break;
        case 'S': AppendNumber(out, t.second, 2); break;
        case 'T': out += FormatLocalTime(t, "%H:%M:%S"); break;
        case 'R': out += FormatLocalTime(t, "%H:%M"); break;
        case 'D': out += FormatLocalTime(t, "%m/%d/%y"); break;
        case 'F': out += FormatLocalTime(t, "%Y-%m-%d"); break;
        case '%': out.push_back('%'); break;
        default: {
            // Rare conversions (month names, AM/PM …) go through the C library.
            std::tm tm{};
            tm.tm_year = t.year - 1900;
            tm.tm_mon = t.month - 1;
            tm.tm_mday = t.day;
            tm.tm_hour = t.hour;
            tm.tm_min = t.minute;
            tm.tm_sec = t.second;
            tm.tm_wday = t.weekday;
            const char fmt[3] = {'%', c, 0};
            char buf[64];
            out.append(buf, std::strftime(buf, sizeof buf, fmt, &tm));
        }
        }
    }
    return out;
}

std::string UpperCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::mbstate_t state{};
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c));
            ++i;
            continue;
        }
        wchar_t wc;
        const std::size_t n = std::mbrtowc(&wc, text.data() + i, text.size() - i, &state);
        if (n == static_cast<std::size_t>(-1) || n == static_cast<std::size_t>(-2) || n == 0) {
            out.push_back(static_cast<char>(c)); // not valid in the locale's encoding: keep the byte
            state = {};
            ++i;
            continue;
        }
        char buf[MB_LEN_MAX];
        std::mbstate_t outState{};
        const std::size_t m = std::wcrtomb(buf, static_cast<wchar_t>(std::towupper(wc)), &outState);
        if (m == static_cast<std::size_t>(-1))
            out.append(text.substr(i, n));
        else
            out.append(buf, m);
        i += n;
    }
    return out;
}
