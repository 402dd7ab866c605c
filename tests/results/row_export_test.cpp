#include <gtest/gtest.h>

#include "results/row_export.h"
#include "support/table_builder.h"

namespace {
const ResultTable kTable =
    MakeTable({"Datei", "Größe (KB)", "Typ"}, {{"/a/brief.doc", "   1.205,632 KB", "Word-Dokument"},
                                               {"/a/b c/Ü.txt", "0,001 KB", "Text"},
                                               {"/a/x\ty", "\"12\" KB", "zwei\nZeilen"}});
} // namespace

// The selection comes out in the list's order, each row once, captions first.
TEST(RowExport, TabSeparatedRowsWithCaptions) {
    struct Case {
        std::vector<std::size_t> rows;
        std::string expected;
    };
    const std::string captions = "Datei\tGröße (KB)\tTyp\n";
    const Case cases[] = {
        {{}, captions},
        {{0}, captions + "/a/brief.doc\t   1.205,632 KB\tWord-Dokument\n"},
        {{1, 0, 1, 7},
         captions + "/a/brief.doc\t   1.205,632 KB\tWord-Dokument\n/a/b c/Ü.txt\t0,001 KB\tText\n"},
        // A tab, a line break or a leading quote would split the cell; it is quoted instead.
        {{2}, captions + "\"/a/x\ty\"\t\"\"\"12\"\" KB\"\t\"zwei\nZeilen\"\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RowsAsTabSeparated(kTable, c.rows), c.expected) << c.rows.size();
}

TEST(RowExport, PathsAndUriList) {
    EXPECT_EQ(RowPaths(kTable, {1, 0}), "/a/brief.doc\n/a/b c/Ü.txt\n");
    EXPECT_EQ(RowUriList(kTable, {1, 0, 0}),
              "file:///a/brief.doc\r\nfile:///a/b%20c/%C3%9C.txt\r\n");
    EXPECT_EQ(RowUriList(kTable, {}), "");
    const std::pair<std::string, std::string> urls[] = {
        {"/", "file:///"},
        {"/home/u/Bericht 100%.pdf", "file:///home/u/Bericht%20100%25.pdf"},
        {"/tmp/a#b?c&d", "file:///tmp/a%23b%3Fc%26d"},
        {"/tmp/\xff\xfe", "file:///tmp/%FF%FE"}, // not UTF-8: the bytes themselves
        {"/t/~a-b_c.d", "file:///t/~a-b_c.d"},
    };
    for (const auto& [path, url] : urls)
        EXPECT_EQ(FileUrl(path), url);
}
