#include <gtest/gtest.h>

#include <string>

#include "platform/mask_matcher.h"

namespace {
struct MaskCase {
    const char* mask;
    const char* name;
    bool matches;
};
} // namespace

// Windows rules, and names that themselves hold '*' or '?' (legal on Linux): a wildcard in
// the mask stays a wildcard even where the name has the same character.
TEST(MaskMatcher, WildcardsCaseAndNamesWithWildcardCharacters) {
    const MaskCase cases[] = {
        {"*.txt", "a.txt", true},
        {"*.txt", "A.TXT", true},
        {"*.txt", "a.txt.bak", false},
        {"?.txt", "ab.txt", false},
        {"?.txt", "ä.txt", true},
        {"abc", "ABC", true},
        {"abc", "abcd", false},
        {"*", "", true},
        {"*.*", "no-dot", true},
        {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYbZ", false},
        {"**", "x", true},
        {"*.txt", "*x.txt", true},
        {"**", "**x", true},
        {"*x", "**x", true},
        {"?x", "?x", true},
        {"??", "?", false},
        {"*?", "*", true},
        {"straße", "STRASSE", false},
        {"ÄÖÜ.txt", "äöü.TXT", true},
    };
    for (const MaskCase& c : cases)
        EXPECT_EQ(MaskMatcher(c.mask).Matches(c.name), c.matches)
            << "mask " << c.mask << ", name " << c.name;
}
