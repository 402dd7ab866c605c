// MinimizeName on any path and width: it ends, never cuts the name part, and what it returns
// fits or is the bare name.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "search/minimize_name.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const int maxWidth = data[0] | (data[1] & 0x3) << 8; // 0 to 1023
    const std::string path(reinterpret_cast<const char*>(data) + 2, size - 2);
    const auto width = [](std::string_view s) { return static_cast<int>(s.size()); };

    const std::string result = MinimizeName(path, width, maxWidth);
    const std::size_t lastSeparator = path.rfind('/');
    const std::string name =
        lastSeparator == std::string::npos ? path : path.substr(lastSeparator + 1);
    FUZZ_CHECK(result.size() >= name.size() &&
               result.compare(result.size() - name.size(), name.size(), name) == 0);
    FUZZ_CHECK(result == path || result == name || width(result) <= maxWidth);
    if (width(path) <= maxWidth)
        FUZZ_CHECK(result == path);
    return 0;
}
