#include <gtest/gtest.h>

#include "search/name_filter.h"

TEST(NameFilter, SplitTrimmedAndEmptyMasksLeftOut) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"*.txt", {"*.txt"}},
        {"  a b.txt  ", {"a b.txt"}}, // blanks inside a mask stay
        {"*.jpg;*.png", {"*.jpg", "*.png"}},
        {" *.jpg ; ;*.png; ", {"*.jpg", "*.png"}},
        {";", {}},
        {"", {}},
        {"   ", {}},
    };
    for (const auto& [text, masks] : cases)
        EXPECT_EQ(SplitMasks(text), masks) << text;
}

TEST(NameFilter, AnyMaskSelectsAndAnyMaskContainedMakesAFolderRow) {
    struct Case {
        std::string masks, name;
        bool matches, contained;
    };
    const Case cases[] = {
        {"*.jpg;*.png", "Foto.PNG", true, false},
        {"*.jpg;*.png", "foto.gif", false, false},
        {"*.jpg;*.png", "x.jpg;*.png", true, true}, // wildcards taken literally
        {"abc", "abc", true, true},
        {"abc", "xABCx", false, true},
        {"bilder;abc", "Alte Bilder", false, true},
        {"b?ld;*.*", "anything", true, false},
        {"*.*", "*.*", true, true},
        {";", "abc", false, false},
        {"ä*;ö*", "Öl", true, false},
    };
    for (const Case& c : cases) {
        const NameFilter filter(c.masks);
        EXPECT_EQ(filter.Matches(c.name), c.matches) << c.masks << " / " << c.name;
        EXPECT_EQ(filter.ContainedIn(c.name), c.contained) << c.masks << " / " << c.name;
    }
    EXPECT_TRUE(NameFilter("x;*").MatchesEverything());
    EXPECT_TRUE(NameFilter(" ; ").Empty());
}
