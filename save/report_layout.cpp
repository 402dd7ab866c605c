#include "save/report_layout.h"

#include <algorithm>
#include <numeric>

namespace {

// Length of the UTF-8 character at the start of text; a byte that starts none counts alone.
std::size_t CharLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : 1;
    if (n > text.size())
        return 1;
    for (std::size_t i = 1; i < n; ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            return 1;
    return n;
}

// The byte offsets after each character of text.
std::vector<std::size_t> CharEnds(std::string_view text) {
    std::vector<std::size_t> ends;
    for (std::size_t at = 0; at < text.size();) {
        at += CharLength(text.substr(at));
        ends.push_back(at);
    }
    return ends;
}

// How much of text goes on the first line.
std::size_t FirstLineLength(std::string_view text, double width, const TextMeasure& measure,
                            ReportFont font) {
    const std::vector<std::size_t> ends = CharEnds(text);
    std::size_t lo = 0, hi = ends.size() - 1; // ends[lo] always goes: one character at least
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (measure.Width(text.substr(0, ends[mid]), font) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    const std::size_t fits = ends[lo];
    const std::size_t brk = text.substr(0, fits).find_last_of("/ ");
    if (brk != std::string_view::npos && brk + 1 < fits && (brk + 1) * 3 >= fits)
        return brk + 1;
    return fits;
}

// Widths shared out so that narrow columns keep theirs and the wide ones get an equal share of
// what is left.
std::vector<double> SharedWidths(std::vector<double> wanted, double available) {
    std::vector<std::size_t> order(wanted.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](auto a, auto b) { return wanted[a] < wanted[b]; });
    double left = std::max(available, 0.0);
    for (std::size_t i = 0; i < order.size(); ++i) {
        const double share = left / double(order.size() - i);
        double& w = wanted[order[i]];
        w = std::min(w, share);
        left -= w;
    }
    return wanted;
}

std::vector<std::string> Copies(const std::vector<std::string_view>& lines) {
    return {lines.begin(), lines.end()};
}

double Sum(const std::vector<double>& v) {
    return std::accumulate(v.begin(), v.end(), 0.0);
}

class Paginator {
  public:
    Paginator(ReportLayout& layout, double bodyBottom) : l_(layout), bottom_(bodyBottom) {}

    void StartPage(double captionTop) {
        ReportLayout::Page page;
        page.firstPiece = l_.pieces.size();
        page.captionTop = captionTop;
        l_.pages.push_back(page);
        y_ = captionTop + l_.captionHeight;
    }

    void AddRow(std::size_t row, std::uint32_t lines) {
        const double need = lines * l_.textLine + l_.rowGap;
        if (y_ + need > bottom_ && l_.pages.back().pieces > 0)
            StartPage(0);
        for (std::uint32_t first = 0; first < lines;) {
            const double room = (bottom_ - y_ - l_.rowGap) / l_.textLine;
            const auto fit =
                static_cast<std::uint32_t>(std::clamp(room, 1.0, double(lines - first)));
            l_.pieces.push_back({row, first, fit, y_});
            ++l_.pages.back().pieces;
            y_ += fit * l_.textLine + l_.rowGap;
            first += fit;
            if (first < lines)
                StartPage(0);
        }
    }

    void AddSummary(double height) {
        if (y_ + height > bottom_ && l_.pages.back().pieces > 0)
            StartPage(0);
        l_.pages.back().summaryTop = y_;
    }

  private:
    ReportLayout& l_;
    double bottom_;
    double y_ = 0;
};

} // namespace

std::vector<std::string_view> WrapText(std::string_view text, double width,
                                       const TextMeasure& measure, ReportFont font) {
    std::vector<std::string_view> lines;
    while (!text.empty() && measure.Width(text, font) > width) {
        const std::size_t n = FirstLineLength(text, width, measure, font);
        lines.push_back(text.substr(0, n));
        text.remove_prefix(n);
    }
    if (!text.empty() || lines.empty())
        lines.push_back(text);
    return lines;
}

std::string_view ReportCellText(std::string_view cell) {
    const std::size_t first = cell.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return cell.substr(first, cell.find_last_not_of(' ') - first + 1);
}

bool MeasureTable(const ResultTable& table, const TextMeasure& measure, MeasuredTable& out,
                  const ExportProgress& progress) {
    const std::size_t columns = table.columns.size();
    out.columns = columns;
    out.widest.assign(columns, 0);
    for (std::size_t k = 0; k < columns; ++k)
        out.widest[k] = measure.Width(table.columns[k].caption, ReportFont::Caption);
    out.cellWidths.assign(table.rows.size() * columns, 0);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        if (r % 1024 == 0 && progress && !progress(r, table.rows.size()))
            return false;
        const ResultRow& row = table.rows[r];
        for (std::size_t k = 0; k < columns && k < row.CellCount(); ++k) {
            const auto w =
                static_cast<float>(measure.Width(ReportCellText(row.Cell(k)), ReportFont::Text));
            out.cellWidths[r * columns + k] = w;
            out.widest[k] = std::max(out.widest[k], double(w));
        }
    }
    return true;
}

double ColumnGap(const TextMeasure& measure) {
    return measure.LineHeight(ReportFont::Text) * 0.8;
}

bool NeedsLandscape(const MeasuredTable& measured, const TextMeasure& measure,
                    const PageArea& portrait) {
    const double gaps = ColumnGap(measure) * double(std::max<std::size_t>(measured.columns, 1) - 1);
    return Sum(measured.widest) + gaps > portrait.width;
}

std::vector<std::string> CellLines(const ResultTable& table, const MeasuredTable& measured,
                                   const ReportLayout& layout, const TextMeasure& measure,
                                   std::size_t row, std::size_t column) {
    const ResultRow& r = table.rows[row];
    if (column >= r.CellCount())
        return {std::string()};
    const std::string cell = r.Cell(column);
    const std::string_view text = ReportCellText(cell);
    // Measured as float: a hair of rounding must not wrap a cell that fitted.
    if (measured.CellWidth(row, column) <= layout.columnWidth[column] * (1 + 1e-6))
        return {std::string(text)};
    const std::vector<std::string_view> lines =
        WrapText(text, layout.columnWidth[column], measure, ReportFont::Text);
    return {lines.begin(), lines.end()};
}

ReportLayout LayOutReport(const ResultTable& table, const ReportTexts& texts,
                          const MeasuredTable& measured, const TextMeasure& measure,
                          const PageArea& area) {
    ReportLayout l;
    const std::size_t columns = table.columns.size();
    const double gap = ColumnGap(measure);
    l.columnWidth =
        SharedWidths(measured.widest, area.width - gap * double(columns ? columns - 1 : 0));
    for (std::size_t k = 0; k < columns; ++k)
        l.columnLeft.push_back(k == 0 ? 0 : l.columnLeft[k - 1] + l.columnWidth[k - 1] + gap);
    l.titleLine = measure.LineHeight(ReportFont::Title);
    l.textLine = measure.LineHeight(ReportFont::Text);
    l.captionLine = measure.LineHeight(ReportFont::Caption);
    l.rowGap = l.textLine * 0.25;
    l.titleLines = Copies(WrapText(texts.title, area.width, measure, ReportFont::Title));
    l.summaryLines = Copies(WrapText(texts.summary, area.width, measure, ReportFont::Text));
    std::size_t captionRows = 1;
    for (std::size_t k = 0; k < columns; ++k) {
        l.captionLines.push_back(Copies(
            WrapText(table.columns[k].caption, l.columnWidth[k], measure, ReportFont::Caption)));
        captionRows = std::max(captionRows, l.captionLines.back().size());
    }
    l.captionHeight = double(captionRows) * l.captionLine + l.textLine * 0.4;
    l.footerTop = area.height - l.textLine;

    const double headingHeight =
        double(l.titleLines.size()) * l.titleLine + l.textLine * 1.8; // date line and a gap
    Paginator pages(l, l.footerTop - l.textLine * 0.6);
    pages.StartPage(headingHeight);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        std::size_t lines = 1;
        for (std::size_t k = 0; k < columns; ++k)
            lines = std::max(lines, CellLines(table, measured, l, measure, r, k).size());
        pages.AddRow(r, static_cast<std::uint32_t>(lines));
    }
    pages.AddSummary(l.textLine * (0.4 + double(l.summaryLines.size())));
    return l;
}
