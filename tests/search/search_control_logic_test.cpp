#include <gtest/gtest.h>

#include "search/search_control_logic.h"
#include "search/search_request.h"

TEST(SearchControlLogic, TargetFromTheTreeSelection) {
    EXPECT_EQ(ChooseSearchTarget("/home", "home", "/old"), "/home");
    EXPECT_EQ(ChooseSearchTarget("", "Arbeitsplatz", "/old"), kAllDrives);
    EXPECT_EQ(ChooseSearchTarget("", "Desktop", "/old"), "/old");
}

TEST(SearchControlLogic, HistoryIgnoresLetterCaseAndKeepsItsOrder) {
    std::vector<std::string> history{"*.txt", "abc"};
    EXPECT_FALSE(AddToHistory(history, "*.TXT"));
    EXPECT_FALSE(AddToHistory(history, ""));
    EXPECT_TRUE(AddToHistory(history, "*.doc"));
    EXPECT_EQ(history, (std::vector<std::string>{"*.doc", "*.txt", "abc"}));
    EXPECT_TRUE(AddToHistory(history, "Größe"));
    EXPECT_FALSE(AddToHistory(history, "GRÖßE")); // umlauts have a case too
    EXPECT_EQ(history.front(), "Größe");
    EXPECT_EQ(TrimBlanks("  *.txt  "), "*.txt");
    EXPECT_EQ(TrimBlanks(" "), "");
    EXPECT_EQ(FoundCountText(42), "Fundstellen: 42");
}

TEST(SearchControlLogic, DetailsInBatchesUnlessTheEnvironmentSaysOtherwise) {
    const struct {
        const char* value;
        bool wanted;
    } cases[] = {{nullptr, kStatBatchesByDefault}, {"", kStatBatchesByDefault},
                 {"0", false},                     {"1", true},
                 {"yes", kStatBatchesByDefault},   {"01", kStatBatchesByDefault}};
    for (const auto& c : cases)
        EXPECT_EQ(StatBatchesWanted(c.value), c.wanted) << (c.value ? c.value : "(unset)");
}
