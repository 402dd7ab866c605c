#pragma once
#include <QFont>
#include <QFontMetricsF>
#include <array>
#include <memory>

#include "save/report_layout.h"

class QPagedPaintDevice;

// Measures with the report's fonts as a device sets them. Text of printable ASCII is measured
// by its characters' advances, which without kerning is what the painted text takes; other
// text is shaped.
class DeviceTextMeasure : public TextMeasure {
  public:
    explicit DeviceTextMeasure(QPaintDevice& device);
    double Width(std::string_view text, ReportFont font) const override;
    double LineHeight(ReportFont font) const override;
    const QFont& Font(ReportFont font) const { return fonts_[Index(font)]; }
    double Ascent(ReportFont font) const { return metrics_[Index(font)].ascent(); }

  private:
    static std::size_t Index(ReportFont f) { return static_cast<std::size_t>(f); }
    std::array<QFont, 3> fonts_;
    std::vector<QFontMetricsF> metrics_;
    std::array<std::array<double, 95>, 3> ascii_{}; // advances of ' ' to '~'
};

// A report of the list as displayed, painted page by page on a printer or a PDF writer. The
// cells are measured once; the pages are laid out for the device's page layout as it is when
// they are painted, so a preview may change the paper or the orientation in between.
class ReportPainter {
  public:
    ReportPainter(const ResultTable& table, ReportTexts texts);
    ~ReportPainter();

    // Sets the locale's paper and margins, measures, and turns the page to landscape when the
    // columns need it. False when progress cancelled.
    bool Prepare(QPagedPaintDevice& device, const ExportProgress& progress);
    enum class Outcome { Painted, Cancelled, Failed };
    // After a cancel the pages painted so far stay; Failed: the device took no painter.
    Outcome Paint(QPagedPaintDevice& device, const ExportProgress& progress);
    std::size_t PageCount() const { return pages_; }

  private:
    bool Measure(QPagedPaintDevice& device, const ExportProgress& progress);

    const ResultTable& table_;
    ReportTexts texts_;
    std::unique_ptr<DeviceTextMeasure> measure_;
    MeasuredTable measured_;
    int measuredResolution_ = 0;
    std::size_t pages_ = 0;
};
