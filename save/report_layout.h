#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "results/result_table.h"
#include "save/report_texts.h"

enum class ReportFont { Title, Text, Caption };

// Text measured as the page's device will set it; tests measure with a fixed pitch.
class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    virtual double Width(std::string_view text, ReportFont font) const = 0;
    virtual double LineHeight(ReportFont font) const = 0;
};

// The lines text takes in width: broken after the last '/' or blank that lets a line keep at
// least a third of what fits, otherwise at the last character that fits; never inside the
// bytes of one character, and at least one character a line, so nothing is cut off.
std::vector<std::string_view> WrapText(std::string_view text, double width,
                                       const TextMeasure& measure, ReportFont font);

// A cell as a report shows it: without the blanks that align it in the list.
std::string_view ReportCellText(std::string_view cell);

// Every cell measured once: the widths the layout and the painting share.
struct MeasuredTable {
    std::size_t columns = 0;
    std::vector<float> cellWidths; // row by row
    std::vector<double> widest;    // per column, its caption included
    float CellWidth(std::size_t row, std::size_t column) const {
        return cellWidths[row * columns + column];
    }
};
// False when progress cancelled.
bool MeasureTable(const ResultTable& table, const TextMeasure& measure, MeasuredTable& out,
                  const ExportProgress& progress = {});

// The printable part of a page, in device units.
struct PageArea {
    double width = 0, height = 0;
};

// The space between two columns, and what a row needs above its text.
double ColumnGap(const TextMeasure& measure);
// Landscape only when the columns at their widest do not fit across a portrait page.
bool NeedsLandscape(const MeasuredTable& measured, const TextMeasure& measure,
                    const PageArea& portrait);

// What goes where on every page. A piece is the part of one row on one page: a row taller
// than a page goes on over the next pages.
struct ReportLayout {
    struct Piece {
        std::size_t row;
        std::uint32_t firstLine, lines;
        double top;
    };
    struct Page {
        std::size_t firstPiece = 0, pieces = 0;
        double captionTop = 0, summaryTop = -1; // summaryTop < 0: no summary on this page
    };
    std::vector<double> columnLeft, columnWidth; // each column's text box
    std::vector<std::string> titleLines;         // on the first page, above the date line
    std::vector<std::vector<std::string>> captionLines;
    std::vector<std::string> summaryLines;
    double titleLine = 0, textLine = 0, captionLine = 0; // line heights
    double captionHeight = 0, rowGap = 0, footerTop = 0;
    std::vector<Piece> pieces;
    std::vector<Page> pages;
};

ReportLayout LayOutReport(const ResultTable& table, const ReportTexts& texts,
                          const MeasuredTable& measured, const TextMeasure& measure,
                          const PageArea& area);

// The lines of one cell in its column, measured widths reused so a cell that fits is not
// measured again.
std::vector<std::string> CellLines(const ResultTable& table, const MeasuredTable& measured,
                                   const ReportLayout& layout, const TextMeasure& measure,
                                   std::size_t row, std::size_t column);
