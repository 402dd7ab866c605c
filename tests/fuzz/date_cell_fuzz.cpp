// The date parser of the date sort under German settings: any cell text gives a key that is
// "no date" or a valid point in time, and every time the row builder renders parses back to it.
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <string>

#include "fuzz_check.h"
#include "platform/locale.h"
#include "results/sorting.h"
#include "search/formatting.h"

namespace {
void CheckKey(long long key) {
    if (key == kNoDate)
        return;
    const long long second = key % 100, minute = key / 100 % 100, hour = key / 10000 % 100,
                    day = key / 1000000 % 100, month = key / 100000000 % 100;
    FUZZ_CHECK(key > 0 && second <= 60 && minute <= 59 && hour <= 23 && day >= 1 && day <= 31 &&
               month >= 1 && month <= 12);
}

long long KeyOf(const LocalTime& t) {
    return ((((t.year * 100LL + t.month) * 100 + t.day) * 100 + t.hour) * 100 + t.minute) * 100 +
           t.second;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckKey(DateCellKey(std::string(reinterpret_cast<const char*>(data), size)));
    if (size >= sizeof(std::int64_t)) {
        std::int64_t raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        // Years 1000 to 9999, the ones with four digits.
        constexpr std::int64_t first = -30610224000LL, span = 253402300799LL - first;
        const std::time_t t = static_cast<std::time_t>(
            first + static_cast<std::int64_t>(static_cast<std::uint64_t>(raw) % span));
        const std::string cell = DateText(t, false);
        FUZZ_CHECK(DateCellKey(cell) == KeyOf(ToLocalTime(t)));
    }
    return 0;
}
