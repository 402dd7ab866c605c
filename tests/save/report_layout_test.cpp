#include <gtest/gtest.h>

#include <numeric>

#include "save/report_layout.h"
#include "support/table_builder.h"

namespace {

// Every character (a UTF-8 sequence, or a stray byte) is one unit wide; Title twice that.
class FixedPitch : public TextMeasure {
  public:
    double Width(std::string_view text, ReportFont font) const override {
        double chars = 0;
        for (const char c : text)
            chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        return chars * (font == ReportFont::Title ? 2 : 1);
    }
    double LineHeight(ReportFont font) const override { return font == ReportFont::Title ? 2 : 1; }
};

const FixedPitch kPitch;

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines)
        all += line;
    return all;
}

std::vector<std::string> Wrapped(std::string_view text, double width) {
    const auto lines = WrapText(text, width, kPitch, ReportFont::Text);
    return {lines.begin(), lines.end()};
}

struct Laid {
    MeasuredTable measured;
    ReportLayout layout;
    std::size_t Lines(const ResultTable& table, std::size_t row, std::size_t column) const {
        return CellLines(table, measured, layout, kPitch, row, column).size();
    }
};

Laid LaidOut(const ResultTable& table, PageArea area, const std::string& title = "T") {
    Laid laid;
    EXPECT_TRUE(MeasureTable(table, kPitch, laid.measured));
    laid.layout = LayOutReport(table, {title, "24.12.2003, 13:45", "Fundstellen: 1"}, laid.measured,
                               kPitch, area);
    return laid;
}

} // namespace

TEST(ReportWrap, LinesBreakAfterAFolderOrBlankAndNeverLoseOrSplitACharacter) {
    const struct {
        std::string text;
        double width;
        std::vector<std::string> lines;
    } cases[] = {
        {"/aaa/bbb", 100, {"/aaa/bbb"}},
        {"", 5, {""}},
        {"/home/user/verylongname", 10, {"/home/", "user/", "verylongna", "me"}},
        {"abcdefghij", 4, {"abcd", "efgh", "ij"}},
        // A folder break that would leave a line under a third full is not taken.
        {"/abcdefghijklmnop", 10, {"/abcdefghi", "jklmnop"}},
        {"Meine Dokumente/x", 8, {"Meine ", "Dokument", "e/x"}},
        {"äöüßä", 3, {"äöü", "ßä"}},
        {"\xff\xfe\xc3", 1, {"\xff", "\xfe", "\xc3"}},
        {"abc", 0.5, {"a", "b", "c"}}, // narrower than a character: one a line
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Wrapped(c.text, c.width), c.lines) << c.text;
        const auto lines = Wrapped(c.text, c.width);
        EXPECT_EQ(std::accumulate(lines.begin(), lines.end(), std::string()), c.text);
    }
}

TEST(ReportLayout, NarrowColumnsKeepTheirWidthAndTheWideOneWrapsInTheRest) {
    const ResultTable table =
        MakeTable({"Datei", "Größe (Byte)", "Attribute"},
                  {{"/" + std::string(60, 'a'), "  1.024 Byte", "R"}, {"/b", "0 Byte", "RH"}});
    const ReportLayout l = LaidOut(table, {40, 100}).layout;
    const double gap = ColumnGap(kPitch);
    EXPECT_EQ(l.columnWidth[1], 12); // the caption is the widest; the cell's blanks do not count
    EXPECT_EQ(l.columnWidth[2], 9);
    EXPECT_DOUBLE_EQ(l.columnWidth[0], 40 - 12 - 9 - 2 * gap);
    EXPECT_DOUBLE_EQ(l.columnLeft[2], l.columnLeft[1] + 12 + gap);

    // Columns that all want more than their share get it equally.
    const ResultTable wide =
        MakeTable({"Datei", "Typ"}, {{std::string(80, 'x'), std::string(80, 'y')}});
    const ReportLayout w = LaidOut(wide, {41, 100}).layout;
    EXPECT_DOUBLE_EQ(w.columnWidth[0], w.columnWidth[1]);
    EXPECT_DOUBLE_EQ(w.columnWidth[0] * 2 + gap, 41);
}

TEST(ReportLayout, LandscapeOnlyWhenTheWidestCellsDoNotFitAcrossPortrait) {
    const ResultTable table = MakeTable({"Datei", "Typ"}, {{"/abcdefgh", "Ordner"}});
    MeasuredTable m;
    ASSERT_TRUE(MeasureTable(table, kPitch, m));
    const double needed = 9 + 6 + ColumnGap(kPitch);
    EXPECT_FALSE(NeedsLandscape(m, kPitch, {needed, 100}));
    EXPECT_TRUE(NeedsLandscape(m, kPitch, {needed - 0.5, 100}));
}

// Rows of 1 to 5 lines over pages 20 lines high: every row appears once, whole, in order;
// pieces stay between the captions and the footer; a row is split only when it is taller than
// a page; the summary comes last.
TEST(ReportLayout, PagesHoldEveryRowOnceBetweenCaptionsAndFooter) {
    ResultTable table = MakeTable({"Datei", "Typ"}, {});
    for (int r = 0; r < 60; ++r) {
        ResultRow row;
        row.Append("/" + std::string(std::size_t(r % 4) * 10 + 5, char('a' + r % 26)));
        row.Append("T");
        table.rows.push_back(row);
    }
    ResultRow tall; // 38 lines: longer than a page
    tall.Append(std::string(300, 'z'));
    tall.Append("T");
    table.rows.insert(table.rows.begin() + 30, tall);
    const Laid laid = LaidOut(table, {12, 20});
    const ReportLayout& l = laid.layout;

    ASSERT_GT(l.pages.size(), 3u);
    std::size_t expectRow = 0, expectLine = 0, pieces = 0;
    for (std::size_t p = 0; p < l.pages.size(); ++p) {
        const ReportLayout::Page& page = l.pages[p];
        EXPECT_EQ(page.firstPiece, pieces);
        EXPECT_DOUBLE_EQ(page.captionTop, p == 0 ? l.titleLines.size() * l.titleLine + 1.8 : 0);
        EXPECT_EQ(page.summaryTop >= 0, p + 1 == l.pages.size());
        double y = page.captionTop + l.captionHeight;
        for (std::size_t i = 0; i < page.pieces; ++i, ++pieces) {
            const ReportLayout::Piece& piece = l.pieces[page.firstPiece + i];
            const std::size_t lines = laid.Lines(table, piece.row, 0);
            ASSERT_EQ(piece.row, expectRow);
            EXPECT_EQ(piece.firstLine, expectLine);
            EXPECT_DOUBLE_EQ(piece.top, y);
            y += piece.lines * l.textLine + l.rowGap;
            EXPECT_LE(y, l.footerTop - 0.6 * l.textLine);
            if (piece.firstLine + piece.lines == lines) {
                ++expectRow, expectLine = 0;
            } else {
                EXPECT_EQ(piece.row, 30u) << "only the tall row is split";
                EXPECT_EQ(i + 1, page.pieces) << "a split piece ends its page";
                expectLine += piece.lines;
            }
        }
        if (page.summaryTop >= 0) {
            EXPECT_DOUBLE_EQ(page.summaryTop, y);
        }
    }
    EXPECT_EQ(expectRow, table.rows.size());
    EXPECT_EQ(pieces, l.pieces.size());
}

TEST(ReportLayout, ALongTitleAndCaptionsWrapInsteadOfBeingCut) {
    const ResultTable table =
        MakeTable({"Datei", "letzter Zugriff"}, {{"/" + std::string(40, 'p'), "x"}});
    const std::string title = "Suchen in: /" + std::string(30, 'q');
    const ReportLayout l = LaidOut(table, {30, 100}, title).layout;
    EXPECT_EQ(Joined(l.titleLines), title);
    EXPECT_EQ(l.titleLines.size(), 3u); // 42 characters of 2 units in lines of 30 units
    const double captionWidth = l.columnWidth[1];
    EXPECT_LT(captionWidth, 15);
    EXPECT_EQ(l.captionLines[1], (std::vector<std::string>{"letzter ", "Zugriff"}));
    EXPECT_DOUBLE_EQ(l.captionHeight, 2 * l.captionLine + 0.4);
}

TEST(ReportLayout, AnEmptyListStillHasOnePageWithItsSummary) {
    const ReportLayout l = LaidOut(MakeTable({"Datei"}, {}), {50, 50}).layout;
    ASSERT_EQ(l.pages.size(), 1u);
    EXPECT_EQ(l.pages[0].pieces, 0u);
    EXPECT_GE(l.pages[0].summaryTop, 0);
}
