// The mask matcher on any mask and any name bytes: no crash, no runaway, and the rules that
// hold for every input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "platform/mask_matcher.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0'); // mask, NUL, name
    const std::string mask(input.substr(0, split));
    const std::string name(split == std::string_view::npos ? input : input.substr(split + 1));

    const MaskMatcher matcher(mask);
    const bool matches = matcher.Matches(name);
    FUZZ_CHECK(MaskMatcher("*").Matches(name) && MaskMatcher("*.*").Matches(name));
    // A leading '*' can only widen what matches ("*.*" is the one mask that needs no dot).
    FUZZ_CHECK(!matches || matcher.MatchesEverything() || MaskMatcher("*" + mask).Matches(name));
    if (name.find_first_of("*?") == std::string::npos) {
        FUZZ_CHECK(MaskMatcher(name).Matches(name));
        FUZZ_CHECK(MaskMatcher("*" + name + "*").Matches(name));
        std::string upper = name; // letter case is ignored
        for (char& c : upper)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        FUZZ_CHECK(MaskMatcher(upper).Matches(name));
    }
    return 0;
}
