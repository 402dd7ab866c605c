#include "save/report_painter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <optional>

#include "platform/paper.h"

namespace {

QFont ReportFace(double points, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setKerning(false); // so a text is as wide as its characters' advances
    return font;
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

PageArea AreaOf(const QPagedPaintDevice& device, QPageLayout::Orientation orientation) {
    QPageLayout layout = device.pageLayout();
    layout.setOrientation(orientation);
    const QRect r = layout.paintRectPixels(device.logicalDpiX());
    return {double(r.width()), double(r.height())};
}

// Draws the pages of one layout.
class PagePainter {
  public:
    PagePainter(QPainter& p, const ResultTable& table, const ReportTexts& texts,
                const MeasuredTable& measured, const ReportLayout& layout,
                const DeviceTextMeasure& measure, double width)
        : p_(p), table_(table), texts_(texts), measured_(measured), l_(layout), m_(measure),
          width_(width) {}

    void Paint(std::size_t index) {
        const ReportLayout::Page& page = l_.pages[index];
        if (index == 0)
            Heading();
        Captions(page.captionTop);
        for (std::size_t i = 0; i < page.pieces; ++i)
            Piece(l_.pieces[page.firstPiece + i]);
        if (page.summaryTop >= 0)
            Summary(page.summaryTop);
        SetFont(ReportFont::Text);
        const QString footer = Text(PageFooter(index + 1, l_.pages.size()));
        Line(footer, (width_ - p_.fontMetrics().horizontalAdvance(footer)) / 2, l_.footerTop,
             ReportFont::Text);
    }

  private:
    void SetFont(ReportFont font) {
        if (font != current_) {
            p_.setFont(m_.Font(font));
            current_ = font;
        }
    }

    void Line(const QString& text, double x, double top, ReportFont font) {
        SetFont(font);
        p_.drawText(QPointF(x, top + m_.Ascent(font)), text);
    }

    // A line at the column's left edge, or at its right edge for a right-aligned column.
    void InColumn(std::string_view text, std::size_t k, double top, ReportFont font,
                  double knownWidth = -1) {
        const QString s = Text(text);
        double x = l_.columnLeft[k];
        if (table_.columns[k].alignRight)
            x += l_.columnWidth[k] - (knownWidth >= 0 ? knownWidth : m_.Width(text, font));
        Line(s, x, top, font);
    }

    void Heading() {
        double y = 0;
        for (const std::string& line : l_.titleLines) {
            Line(Text(line), 0, y, ReportFont::Title);
            y += l_.titleLine;
        }
        Line(Text(texts_.dateLine), 0, y, ReportFont::Text);
    }

    void Captions(double top) {
        for (std::size_t k = 0; k < l_.captionLines.size(); ++k)
            for (std::size_t i = 0; i < l_.captionLines[k].size(); ++i)
                InColumn(l_.captionLines[k][i], k, top + double(i) * l_.captionLine,
                         ReportFont::Caption);
        const double rule = top + l_.captionHeight - l_.textLine * 0.2;
        p_.setPen(QPen(Qt::black, l_.textLine / 24));
        p_.drawLine(QPointF(0, rule), QPointF(width_, rule));
    }

    void Piece(const ReportLayout::Piece& piece) {
        const double height = piece.lines * l_.textLine + l_.rowGap;
        if (piece.row % 2 == 1) // every other row shaded, so wrapped rows stay apart
            p_.fillRect(QRectF(0, piece.top, width_, height), QColor(238, 238, 238));
        const double top = piece.top + l_.rowGap / 2;
        for (std::size_t k = 0; k < l_.columnWidth.size(); ++k) {
            const std::vector<std::string> lines =
                CellLines(table_, measured_, l_, m_, piece.row, k);
            const double whole = lines.size() == 1 ? measured_.CellWidth(piece.row, k) : -1;
            for (std::uint32_t i = piece.firstLine;
                 i < piece.firstLine + piece.lines && i < lines.size(); ++i)
                InColumn(lines[i], k, top + double(i - piece.firstLine) * l_.textLine,
                         ReportFont::Text, whole);
        }
    }

    void Summary(double top) {
        const double rule = top + l_.textLine * 0.15;
        p_.setPen(QPen(Qt::black, l_.textLine / 24));
        p_.drawLine(QPointF(0, rule), QPointF(width_, rule));
        double y = top + l_.textLine * 0.4;
        for (const std::string& line : l_.summaryLines) {
            Line(Text(line), 0, y, ReportFont::Text);
            y += l_.textLine;
        }
    }

    QPainter& p_;
    const ResultTable& table_;
    const ReportTexts& texts_;
    const MeasuredTable& measured_;
    const ReportLayout& l_;
    const DeviceTextMeasure& m_;
    double width_;
    std::optional<ReportFont> current_;
};

} // namespace

DeviceTextMeasure::DeviceTextMeasure(QPaintDevice& device)
    : fonts_{ReportFace(11, true), ReportFace(8, false), ReportFace(8, true)} {
    for (std::size_t f = 0; f < fonts_.size(); ++f) {
        metrics_.emplace_back(fonts_[f], &device);
        for (std::size_t c = 0; c < ascii_[f].size(); ++c)
            ascii_[f][c] = metrics_[f].horizontalAdvance(QChar(char16_t(' ' + c)));
    }
}

double DeviceTextMeasure::Width(std::string_view text, ReportFont font) const {
    const std::size_t f = Index(font);
    double width = 0;
    for (const char c : text) {
        if (c < ' ' || c > '~')
            return metrics_[f].horizontalAdvance(Text(text));
        width += ascii_[f][static_cast<std::size_t>(c - ' ')];
    }
    return width;
}

double DeviceTextMeasure::LineHeight(ReportFont font) const {
    return metrics_[Index(font)].lineSpacing();
}

ReportPainter::ReportPainter(const ResultTable& table, ReportTexts texts)
    : table_(table), texts_(std::move(texts)) {}

ReportPainter::~ReportPainter() = default;

bool ReportPainter::Measure(QPagedPaintDevice& device, const ExportProgress& progress) {
    if (measure_ && measuredResolution_ == device.logicalDpiX())
        return true;
    measure_ = std::make_unique<DeviceTextMeasure>(device);
    measuredResolution_ = device.logicalDpiX();
    if (MeasureTable(table_, *measure_, measured_, progress))
        return true;
    measure_.reset();
    return false;
}

bool ReportPainter::Prepare(QPagedPaintDevice& device, const ExportProgress& progress) {
    const PaperSize paper = LocalePaper();
    const QPageSize size(QSizeF(paper.widthMm, paper.heightMm), QPageSize::Millimeter, QString(),
                         QPageSize::FuzzyMatch);
    device.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(15, 12, 15, 12),
                                     QPageLayout::Millimeter));
    if (!Measure(device, progress))
        return false;
    if (NeedsLandscape(measured_, *measure_, AreaOf(device, QPageLayout::Portrait)))
        device.setPageOrientation(QPageLayout::Landscape);
    return true;
}

ReportPainter::Outcome ReportPainter::Paint(QPagedPaintDevice& device,
                                            const ExportProgress& progress) {
    if (!Measure(device, progress))
        return Outcome::Cancelled;
    const PageArea area = AreaOf(device, device.pageLayout().orientation());
    const ReportLayout layout = LayOutReport(table_, texts_, measured_, *measure_, area);
    pages_ = layout.pages.size();
    QPainter painter;
    if (!painter.begin(&device))
        return Outcome::Failed;
    PagePainter pages(painter, table_, texts_, measured_, layout, *measure_, area.width);
    for (std::size_t i = 0; i < layout.pages.size(); ++i) {
        const ReportLayout::Page& page = layout.pages[i];
        const std::size_t done = page.pieces ? layout.pieces[page.firstPiece].row : 0;
        if (progress && !progress(done, table_.rows.size()))
            return Outcome::Cancelled;
        if (i > 0)
            device.newPage();
        pages.Paint(i);
    }
    return painter.end() ? Outcome::Painted : Outcome::Failed;
}
