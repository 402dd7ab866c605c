#include <gtest/gtest.h>

#include "save/report_texts.h"
#include "search/search_request.h"
#include "support/numbered_table.h"

TEST(ReportTexts, TitleNamesTheTargetAndTheMaskOrTheStructureListing) {
    const std::pair<ReportSubject, std::string> cases[] = {
        {{"/daten/x", "*.txt", ModeNone}, "Suchen in: /daten/x \u2013 Suchen nach: *.txt"},
        {{std::string(kAllDrives), "*.*", ModeNone},
         "Suchen in: Alle Laufwerke \u2013 Suchen nach: *.*"},
        {{"/d", "*.txt", ModeExplorer},
         "Suchen in: /d \u2013 Strukturdarstellung: Windows-Explorer"},
        {{"/d", "", ModeSingleFolders},
         "Suchen in: /d \u2013 Strukturdarstellung: einzelne Ordner"},
    };
    for (const auto& [subject, title] : cases)
        EXPECT_EQ(MakeReportTexts(MakeNumberedTable({"Datei"}, {}), subject, 0).title, title);
}

// The sum comes from the bytes behind the cells, not from their rounded text.
TEST(ReportTexts, SummaryCountsTheRowsAndAddsTheSizesInTheColumnsUnit) {
    const struct {
        std::vector<std::string> captions;
        std::vector<NumberedCells> rows;
        std::string summary;
    } cases[] = {
        {{"Datei", "Größe (Byte)"},
         {{{"/a", "1.024 Byte"}, {std::nullopt, 1024}},
          {{"/b", "2.048 Byte"}, {std::nullopt, 2048}},
          {{"/c", ""}, {}}},
         "Fundstellen: 3   Summe: 3.072 Byte"},
        {{"Datei", "Typ", "Größe (KB)"},
         {{{"/a", "x", "0,001 KB"}, {std::nullopt, std::nullopt, 1}},
          {{"/b", "x", "0,001 KB"}, {std::nullopt, std::nullopt, 1}},
          {{"/c", "x", "2,000 KB"}, {std::nullopt, std::nullopt, 2046}}},
         "Fundstellen: 3   Summe: 2,000 KB"},
        {{"Ordner", "Größe (MB)"},
         {{{"/a", "1,500000 MB"}, {std::nullopt, 1572864}}},
         "Fundstellen: 1   Summe: 1,500000 MB"},
        {{"Datei", "geändert"},
         {{{"/a", "01.01.2000 00:00:00"}, {std::nullopt, 946681200}}},
         "Fundstellen: 1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MakeReportTexts(MakeNumberedTable(c.captions, c.rows), {}, 0).summary, c.summary);

    std::vector<NumberedCells> many(1234, NumberedCells{{"/x"}, {}});
    EXPECT_EQ(MakeReportTexts(MakeNumberedTable({"Datei"}, many), {}, 0).summary,
              "Fundstellen: 1.234");
}

TEST(ReportTexts, DateLineIsTheResultFilesAndTheFooterCountsPages) {
    std::tm tm{};
    tm.tm_year = 103, tm.tm_mon = 11, tm.tm_mday = 24, tm.tm_hour = 13, tm.tm_min = 45;
    tm.tm_isdst = -1;
    WriterPlatform platform;
    platform.shortDateOrder = 2;
    platform.timeSeparator = ":";
    EXPECT_EQ(
        MakeReportTexts(MakeNumberedTable({"Datei"}, {}), {}, std::mktime(&tm), platform).dateLine,
        "2003.12.24, 13:45");
    EXPECT_EQ(PageFooter(2, 7), "Seite 2 von 7");
    EXPECT_EQ(PageFooter(12, 12), "Seite 12 von 12");
}
