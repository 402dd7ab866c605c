#include <gtest/gtest.h>

#include "results/sorting.h"
#include "support/table_builder.h"

using Cells = std::vector<std::string>;

TEST(ChrTranAnyLocale, TranslatesDropsAndKeepsCharacters) {
    EXPECT_EQ(ChrTran("   1.205,632 KB", ".KB", ""), "   1205,632 ");
    EXPECT_EQ(ChrTran("abcabc", "ab", "x"), "xcxc");  // b has no replacement: dropped
    EXPECT_EQ(ChrTran("aAa", "a", "b"), "bAb");       // letter case matters
    EXPECT_EQ(ChrTran("a", "aa", "xy"), "x");         // first occurrence wins
    EXPECT_EQ(ChrTran("Größe", "öß", "os"), "Grose"); // whole UTF-8 characters
    EXPECT_EQ(ChrTran("1\u202f234", "\u202f", ""), "1234");
    EXPECT_EQ(ChrTran("", "abc", ""), "");
    EXPECT_EQ(ChrTran("a b  c", " ", ""), "abc");
}

TEST(StrToFloatDefAnyLocale, AcceptsOnlyPlainDecimalNumbers) {
    struct Case {
        const char* text;
        long double expected;
    };
    const Case cases[] = {
        {"  1205,632 ", 1205.632L},
        {"-1,5e2", -150.0L},
        {"+3", 3.0L},
        {"5,", 5.0L},
        {",5", 0.5L},
        {"2E-1", 0.2L},
        {"007", 7.0L},
        {"1.000", -1.0L},
        {"", -1.0L},
        {",", -1.0L},
        {"1e", -1.0L},
        {"1 2", -1.0L},
        {"abc", -1.0L},
        {"1,2,3", -1.0L},
        {"- 1", -1.0L},
        {"1e5000", -1.0L},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(static_cast<double>(StrToFloatDef(c.text, -1.0L, ",")),
                    static_cast<double>(c.expected), 1e-12)
            << c.text;
    EXPECT_NEAR(static_cast<double>(StrToFloatDef("1.5", 0, ".")), 1.5, 1e-12);
    EXPECT_EQ(StrToFloatDef("1,5", 0, "."), 0);
}

TEST(Sorting, SizeCellsCompareAsNumbers) {
    EXPECT_NEAR(static_cast<double>(SizeCellNumber("   1.205,632 KB", "KB")), 1205.632, 1e-9);
    EXPECT_NEAR(static_cast<double>(SizeCellNumber("1.234.567 Byte", "Byte")), 1234567, 1e-9);
    ResultTable t = MakeTable({"Datei", "Größe (KB)"}, {{"a", "     999,000 KB"},
                                                        {"b", "   1.000,000 KB"},
                                                        {"c", "       0,117 KB"},
                                                        {"d", "      99,500 KB"}});
    SortRows(t, {1, SortKind::Number, -1}, "KB");
    EXPECT_EQ(ColumnOf(t, 0), (Cells{"b", "a", "d", "c"}));
    SortRows(t, {1, SortKind::Number, +1}, "KB");
    EXPECT_EQ(ColumnOf(t, 0), (Cells{"c", "d", "a", "b"}));
}

TEST(Sorting, SizeCellsOfAnotherUnitAllCountAsZero) {
    // The unit was switched to MB after the search: "KB" cells no longer convert.
    ResultTable t =
        MakeTable({"Datei", "Größe (KB)"},
                  {{"a", "       1,000 KB"}, {"b", "   2.000,000 KB"}, {"c", "3,0 KB"}});
    SortRows(t, {1, SortKind::Number, -1}, "MB");
    EXPECT_EQ(ColumnOf(t, 0), (Cells{"a", "b", "c"}));
    SortRows(t, {1, SortKind::Number, +1}, "MB");
    EXPECT_EQ(ColumnOf(t, 0), (Cells{"a", "b", "c"}));
}

TEST(Sorting, TextIgnoresLetterCaseAndKeepsTiesInOrder) {
    EXPECT_EQ(CompareTextIgnoreCase("Brief.DOC", "brief.doc"), 0);
    EXPECT_EQ(CompareTextIgnoreCase("RHA", "rha"), 0);
    EXPECT_LT(CompareTextIgnoreCase("apfel", "Birne"), 0);
    EXPECT_GT(CompareTextIgnoreCase("Birne", "apfel"), 0);

    ResultTable t = MakeTable({"Datei", "Typ"}, {{"1", "Textdokument"},
                                                 {"2", "PDF-Dokument"},
                                                 {"3", "TEXTDOKUMENT"},
                                                 {"4", "pdf-dokument"}});
    SortRows(t, {1, SortKind::Text, +1}, "KB");
    EXPECT_EQ(ColumnOf(t, 0), (Cells{"2", "4", "1", "3"}));
    SortRows(t, {1, SortKind::Text, -1}, "KB");
    EXPECT_EQ(ColumnOf(t, 0), (Cells{"1", "3", "2", "4"}));
}

TEST(Sorting, NamesFollowTheGermanCollationFolderByFolder) {
    ResultTable t = MakeTable(
        {"Datei"},
        {{"/d/Zebra"}, {"/d/Äpfel"}, {"/d/birne"}, {"/d/ab.txt"}, {"/d/a/z.txt"}, {"/d/a/b.txt"}});
    SortRows(t, {0, SortKind::Name, +1}, "");
    // Umlauts sort with their base letter; a folder's content stays together.
    EXPECT_EQ(ColumnOf(t, 0),
              (Cells{"/d/a/b.txt", "/d/a/z.txt", "/d/ab.txt", "/d/Äpfel", "/d/birne", "/d/Zebra"}));
}

TEST(Sorting, NamesWithBytesThatAreNotUtf8StillSortConsistently) {
    ResultTable t = MakeTable({"Datei"}, {{"/d/b\xff"}, {"/d/a\xfe\xff"}, {"/d/c"}, {"/d/b"}});
    SortRows(t, {0, SortKind::Name, +1}, "");
    const Cells up = ColumnOf(t, 0);
    SortRows(t, {0, SortKind::Name, -1}, "");
    EXPECT_EQ(ColumnOf(t, 0), (Cells(up.rbegin(), up.rend())));
    EXPECT_EQ(up.front().substr(0, 4), "/d/a");
    EXPECT_EQ(up.back(), "/d/c");
}

TEST(Sorting, DatesCompareByPointInTimeAndUnreadableCellsCountAsOldest) {
    EXPECT_EQ(DateCellKey(""), kNoDate);
    EXPECT_EQ(DateCellKey("31.02.2003 25:00:00"), kNoDate);
    EXPECT_NE(DateCellKey("24.12.2003 13:45:12"), kNoDate);
    ResultTable t = MakeTable({"Datei", "erstellt"}, {{"a", "24.12.2003 09:00:00"},
                                                      {"empty", ""},
                                                      {"b", "01.01.2004 00:00:00"},
                                                      {"c", "31.12.2003 23:59:59"},
                                                      {"bad", "gestern"},
                                                      {"d", "24.12.2003 13:45:12"}});
    SortRows(t, {1, SortKind::Date, -1}, "KB");
    EXPECT_EQ(ColumnOf(t, 0), (Cells{"b", "c", "d", "a", "empty", "bad"}));
    SortRows(t, {1, SortKind::Date, +1}, "KB");
    EXPECT_EQ(ColumnOf(t, 0), (Cells{"empty", "bad", "a", "d", "c", "b"}));
}

TEST(Sorting, RowsKeepAllTheirCells) {
    ResultTable t = MakeTable({"Datei", "Typ", "Attribute"},
                              {{"x", "B", "R"}, {"y", "a", "H"}, {"z", "C", ""}});
    SortRows(t, {1, SortKind::Text, +1}, "KB");
    EXPECT_EQ(ColumnOf(t, 0), (Cells{"y", "x", "z"}));
    EXPECT_EQ(ColumnOf(t, 2), (Cells{"H", "R", ""}));
}
