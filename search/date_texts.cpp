#include "search/date_texts.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::time_t kDay = 86400;
constexpr const char* kWeekdays[] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};

// True when every conversion of the format shows a part of the date, none of the clock.
bool ShowsOnlyTheDay(std::string_view format) {
    constexpr std::string_view dayConversions = "aAbBhCdDeFgGjmuUVwWyYnt%";
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        if (++i == format.size() || dayConversions.find(format[i]) == std::string_view::npos)
            return false;
    }
    return true;
}

bool SameDay(const LocalTime& a, const LocalTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

bool At(const LocalTime& t, int hour, int minute, int second) {
    return t.hour == hour && t.minute == minute && t.second == second;
}

void AppendTwoDigits(std::string& out, int value) {
    out.push_back(static_cast<char>('0' + value / 10));
    out.push_back(static_cast<char>('0' + value % 10));
}

} // namespace

DateTexts::DateTexts(bool withWeekday, const LocaleFormats& formats, LocalTimeOf localTimeOf)
    : withWeekday_(withWeekday), dateFormat_(formats.shortDateFormat),
      timeFormat_(formats.longTimeFormat), dayFormatOnly_(ShowsOnlyTheDay(dateFormat_)),
      standardClock_(timeFormat_ == "%T" || timeFormat_ == "%H:%M:%S"), localTimeOf_(localTimeOf) {}

std::size_t DateTexts::SlotOf(std::time_t t) {
    const std::time_t day = t >= 0 ? t / kDay : (t - kDay + 1) / kDay;
    return static_cast<std::size_t>(static_cast<std::uint64_t>(day) % kSlots);
}

const DateTexts::Day* DateTexts::Find(std::time_t t) const {
    for (const Day& d : slots_[SlotOf(t)])
        if (d.used && t >= d.midnight && t - d.midnight < kDay)
            return &d;
    return nullptr;
}

// Takes t's day into the cache when its 86,400 seconds run evenly from 00:00:00 to 23:59:59.
const DateTexts::Day* DateTexts::Learn(std::time_t t, const LocalTime& local) {
    if (local.second > 59)
        return nullptr; // a leap second
    const std::time_t midnight = t - (local.hour * 3600 + local.minute * 60 + local.second);
    if (std::find(unevenDays_.begin(), unevenDays_.end(), midnight) != unevenDays_.end())
        return nullptr;
    const LocalTime first = localTimeOf_(midnight), last = localTimeOf_(midnight + kDay - 1);
    if (!SameDay(first, local) || !At(first, 0, 0, 0) || !SameDay(last, local) ||
        !At(last, 23, 59, 59)) {
        if (unevenDays_.size() == kUnevenKept)
            unevenDays_.erase(unevenDays_.begin());
        unevenDays_.push_back(midnight);
        return nullptr;
    }
    const std::size_t slot = SlotOf(t);
    Day& d = slots_[slot][nextInSlot_[slot]];
    nextInSlot_[slot] = static_cast<std::uint8_t>((nextInSlot_[slot] + 1) % kPerSlot);
    d.used = true;
    d.midnight = midnight;
    d.fields = local;
    d.prefix.clear();
    AppendPrefix(d.prefix, local);
    return &d;
}

void DateTexts::AppendPrefix(std::string& out, const LocalTime& local) const {
    if (withWeekday_) {
        out += kWeekdays[local.weekday];
        out += ", ";
    }
    out += FormatLocalTime(local, dateFormat_);
    out += withWeekday_ ? ", " : " ";
}

void DateTexts::AppendClock(std::string& out, const LocalTime& local) const {
    if (!standardClock_) {
        out += FormatLocalTime(local, timeFormat_);
        return;
    }
    AppendTwoDigits(out, local.hour);
    out.push_back(':');
    AppendTwoDigits(out, local.minute);
    out.push_back(':');
    AppendTwoDigits(out, local.second);
}

void DateTexts::Assign(std::string& out, std::time_t t) {
    out.clear();
    if (dayFormatOnly_) {
        if (const Day* d = Find(t)) {
            LocalTime local = d->fields;
            const auto seconds = static_cast<int>(t - d->midnight);
            local.hour = seconds / 3600;
            local.minute = seconds / 60 % 60;
            local.second = seconds % 60;
            out += d->prefix;
            AppendClock(out, local);
            return;
        }
    }
    const LocalTime local = localTimeOf_(t);
    if (dayFormatOnly_)
        Learn(t, local);
    AppendPrefix(out, local);
    AppendClock(out, local);
}
