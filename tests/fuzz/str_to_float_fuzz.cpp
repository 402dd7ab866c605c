// StrToFloatDef on any text with either decimal separator: never a NaN (it would break the
// ordering a size sort relies on), and surrounding blanks change nothing.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "results/sorting.h"

namespace {
bool Same(long double a, long double b) {
    return a == b || (std::isinf(a) && a == b);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    constexpr long double def = -12345.5L;
    for (const std::string_view separator : {",", ".", ""}) {
        const long double value = StrToFloatDef(text, def, separator);
        FUZZ_CHECK(!std::isnan(value));
        FUZZ_CHECK(Same(StrToFloatDef("  " + text + " ", def, separator), value));
    }
    return 0;
}
