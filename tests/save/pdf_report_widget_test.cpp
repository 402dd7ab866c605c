#include <gtest/gtest.h>

#include <QBuffer>
#include <QPdfWriter>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>

#include "cli/list_command.h"
#include "save/pdf_report.h"
#include "save/report_painter.h"
#include "support/command_output.h"
#include "support/numbered_table.h"
#include "support/scripted_message_boxes.h"
#include "support/temp_tree.h"

namespace fs = std::filesystem;

namespace {

WriterPlatform OnDisk() {
    WriterPlatform p;
    p.driveTypeName = [](const std::string&) { return std::string("Harddisk"); };
    p.shortDateOrder = 1;
    p.timeSeparator = ":";
    return p;
}

// The text of each page as pdftotext sets it out.
std::vector<std::string> Pages(const std::string& pdf, const std::string& mode = "-layout") {
    const std::string text = CommandOutput("pdftotext " + mode + " " + ShellQuoted(pdf) + " -");
    std::vector<std::string> pages;
    std::size_t at = 0;
    for (std::size_t ff; (ff = text.find('\f', at)) != std::string::npos; at = ff + 1)
        pages.push_back(text.substr(at, ff - at));
    return pages;
}

std::size_t Count(const std::string& text, const std::regex& pattern) {
    return std::size_t(std::distance(std::sregex_iterator(text.begin(), text.end(), pattern),
                                     std::sregex_iterator()));
}

// pdfinfo's "Page size:" and "Pages:".
std::string Info(const std::string& pdf, const std::string& field) {
    std::smatch m;
    const std::string info = CommandOutput("pdfinfo " + ShellQuoted(pdf));
    return std::regex_search(info, m, std::regex(field + ": +([^\n]*)")) ? m[1].str() : "";
}

class PdfReport : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!HasProgram("pdftotext") || !HasProgram("pdfinfo"))
            GTEST_SKIP() << "poppler-utils are not installed";
    }
    TempTree out{TreePlace::Disk};
    ScriptedMessageBoxes boxes;
};

} // namespace

// 150 rows over several A4 pages: each row exactly once, the captions and "Seite N von M" on
// every page, the title and date line first, the count and the sum of the bytes last.
TEST_F(PdfReport, EveryRowOnceWithCaptionsAndFooterOnEveryPage) {
    std::vector<NumberedCells> rows;
    for (int r = 0; r < 150; ++r)
        rows.push_back({{"/daten/zeile" + std::to_string(r) + ".txt", "       1,000 KB",
                         "24.12.2003 13:45:12"},
                        {std::nullopt, 1024 + r, 1072269912}});
    const ResultTable table = MakeNumberedTable({"Datei", "Größe (KB)", "geändert"}, rows);
    const std::string pdf = out.Path("liste.pdf");
    const ReportTexts texts{"Suchen in: /daten \u2013 Suchen nach: *.txt", "24.12.2003, 13:45",
                            "Fundstellen: 150   Summe: 160,942 KB"};
    const WriteOutcome written = WritePdfReport(table, texts, pdf, boxes, {}, OnDisk());
    ASSERT_TRUE(written.saved);
    EXPECT_EQ(written.rightPanel, "Datei " + pdf + " gespeichert.");
    EXPECT_TRUE(boxes.shown.empty());

    EXPECT_EQ(Info(pdf, "Page size"), "595 x 842 pts (A4)");
    const std::vector<std::string> pages = Pages(pdf);
    ASSERT_GE(pages.size(), 3u);
    EXPECT_EQ(Info(pdf, "Pages"), std::to_string(pages.size()));
    std::string all;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        EXPECT_EQ(Count(pages[p], std::regex("Datei +Größe \\(KB\\) +geändert\n")), 1u) << p;
        EXPECT_EQ(Count(pages[p], std::regex("Seite " + std::to_string(p + 1) + " von " +
                                             std::to_string(pages.size()))),
                  1u);
        all += pages[p];
    }
    EXPECT_EQ(pages.front().find(texts.title), pages.front().find_first_not_of(" \n"));
    EXPECT_NE(pages.front().find(texts.dateLine), std::string::npos);
    // pdftotext sets the gap in the summary as one blank.
    EXPECT_EQ(Count(pages.back(), std::regex("\nFundstellen: 150 +Summe: 160,942 KB\n")), 1u);
    for (int r = 0; r < 150; ++r)
        EXPECT_EQ(Count(all, std::regex("/daten/zeile" + std::to_string(r) +
                                        "\\.txt +1,000 KB +24\\.12\\.2003 13:45:12\n")),
                  1u)
            << r;
    // Text is text in the printer's fonts, not pictures of it.
    EXPECT_NE(CommandOutput("pdffonts " + ShellQuoted(pdf)).find("yes"), std::string::npos);
}

// A tree with a path of 250 characters: the list is too wide for portrait, so the page turns;
// the path wraps in its cell and every character of it is on the page.
TEST_F(PdfReport, WideListsTurnLandscapeAndLongPathsWrapWhole) {
    TempTree tree;
    std::string deep = "tief";
    while (tree.Path(deep + "/ordner_mit_langem_namen").size() < 240)
        deep += "/ordner_mit_langem_namen";
    const std::string file =
        tree.File(deep + "/" + std::string(250 - tree.Path(deep).size() - 1, 'd'), 5);
    ASSERT_EQ(file.size(), 250u);
    ListArguments a;
    a.folder = tree.Root();
    a.mask = "d*";
    a.options.includeSubfolders = a.options.showSize = a.options.showModified =
        a.options.showCreated = a.options.showLastAccess = a.options.showType = true;
    const ResultTable table = RunListSearch(a, "/", -1).table;
    ASSERT_EQ(table.rows.size(), 1u);

    const std::string pdf = out.Path("breit.pdf");
    ASSERT_TRUE(WritePdfReport(table, {"T", "D", "S"}, pdf, boxes, {}, OnDisk()).saved);
    EXPECT_EQ(Info(pdf, "Page size"), "842 x 595 pts (A4)");
    const std::vector<std::string> pages = Pages(pdf, "-raw");
    ASSERT_EQ(pages.size(), 1u);
    std::string joined = pages[0];
    joined.erase(std::remove(joined.begin(), joined.end(), '\n'), joined.end());
    EXPECT_NE(joined.find(file), std::string::npos) << pages[0];
}

TEST_F(PdfReport, ACancelledReportLeavesTheTargetAsItWas) {
    const ResultTable table =
        MakeNumberedTable({"Datei"}, std::vector<NumberedCells>(3000, {{"/x"}, {}}));
    const std::string pdf = out.Path("alt.pdf");
    std::ofstream(pdf) << "alt";
    std::size_t calls = 0;
    const WriteOutcome cancelled = WritePdfReport(
        table, {"T", "D", "S"}, pdf, boxes,
        [&](std::size_t done, std::size_t total) { return ++calls < 3 && done < total; }, OnDisk());
    EXPECT_FALSE(cancelled.saved);
    EXPECT_EQ(cancelled.rightPanel, "Speichern nicht ausgeführt.");
    EXPECT_EQ(calls, 3u);
    std::ifstream in(pdf);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "alt");
    EXPECT_EQ(std::distance(fs::directory_iterator(out.Root()), fs::directory_iterator()), 1);
    EXPECT_TRUE(boxes.shown.empty());
}

// Columns are fitted with the measured widths: the painted text must not be wider.
TEST(ReportMeasure, MeasuredWidthIsThePaintedWidth) {
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&sink);
    pdf.setResolution(1200);
    const DeviceTextMeasure measure(pdf);
    for (const ReportFont font : {ReportFont::Title, ReportFont::Text, ReportFont::Caption}) {
        const QFontMetricsF shaped(measure.Font(font), &pdf);
        for (const std::string text : {"/home/AVATAR/Tee fi ffl WAV.txt", "1.234.567 Byte",
                                       "Größe (KB)", "/daten/\xe6\x97\xa5\xe6\x9c\xac.txt", ""}) {
            const double painted = shaped.horizontalAdvance(QString::fromStdString(text));
            EXPECT_NEAR(measure.Width(text, font), painted, 1e-6 * painted + 1e-9) << text;
        }
    }
}
