#pragma once
#include <array>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "platform/locale.h"

// The date texts of one search, as DateText renders them. Files of a tree share few days, so
// the day part is rendered once per local day and the clock part from the seconds since that
// day's midnight. A day whose clock does not run evenly (a daylight-saving change, a leap
// second) is never cached; its times are converted one by one.
class DateTexts {
  public:
    using LocalTimeOf = LocalTime (*)(std::time_t);

    explicit DateTexts(bool withWeekday, const LocaleFormats& formats = CurrentLocale(),
                       LocalTimeOf localTimeOf = ToLocalTime);

    // Replaces out with the text of t, reusing out's storage.
    void Assign(std::string& out, std::time_t t);

  private:
    struct Day {
        std::time_t midnight = 0;
        bool used = false;
        LocalTime fields{};
        std::string prefix; // the text before the clock, e.g. "24.12.2003 " or "Mi, 24.12.2003, "
    };
    static constexpr std::size_t kSlots = 256, kPerSlot = 2, kUnevenKept = 8;

    const Day* Find(std::time_t t) const;
    const Day* Learn(std::time_t t, const LocalTime& local);
    void AppendPrefix(std::string& out, const LocalTime& local) const;
    void AppendClock(std::string& out, const LocalTime& local) const;
    static std::size_t SlotOf(std::time_t t);

    bool withWeekday_;
    std::string dateFormat_, timeFormat_;
    bool dayFormatOnly_; // the date format shows nothing that changes within a day
    bool standardClock_; // the time format is hours:minutes:seconds, zero-padded
    LocalTimeOf localTimeOf_;
    std::array<std::array<Day, kPerSlot>, kSlots> slots_{};
    std::array<std::uint8_t, kSlots> nextInSlot_{};
    std::vector<std::time_t> unevenDays_; // midnights found not to run evenly
};
