#include "save/pdf_report.h"

#include <QFile>
#include <QGuiApplication>
#include <QPdfWriter>

#include "save/export_file.h"
#include "save/report_painter.h"

namespace {

// Fine enough that positions and line widths need no rounding.
constexpr int kResolution = 1200;

// The measuring is the first half of the work, the painting the second.
ExportProgress Half(const ExportProgress& progress, bool second) {
    if (!progress)
        return {};
    return [progress, second](std::size_t done, std::size_t total) {
        return progress(second ? total + done : done, 2 * total);
    };
}

} // namespace

std::unique_ptr<QGuiApplication> MakePaintingApplication() {
    if (QCoreApplication::instance())
        return nullptr;
    // The application keeps referring to its arguments.
    static char name[] = "pathquill", option[] = "-platform", platform[] = "offscreen";
    static char* argv[] = {name, option, platform, nullptr};
    static int argc = 3;
    return std::make_unique<QGuiApplication>(argc, argv);
}

WriteOutcome WritePdfReport(const ResultTable& table, const ReportTexts& texts,
                            const std::string& fileName, MessageBoxes& boxes,
                            const ExportProgress& progress, const WriterPlatform& platform) {
    if (auto refused = RefusedTarget(fileName, boxes, platform))
        return *refused;
    ScratchFile scratch;
    QFile file(QString::fromStdString(scratch.Path()));
    if (!scratch.IsMade() || !file.open(QIODevice::WriteOnly))
        return WrittenOutcome(false, fileName, boxes);
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(kResolution);
        pdf.setCreator(QStringLiteral("Pathquill"));
        pdf.setTitle(QString::fromStdString(texts.title));
        ReportPainter painter(table, texts);
        if (!painter.Prepare(pdf, Half(progress, false)))
            return CancelledExport();
        switch (painter.Paint(pdf, Half(progress, true))) {
        case ReportPainter::Outcome::Cancelled:
            return CancelledExport();
        case ReportPainter::Outcome::Failed:
            return WrittenOutcome(false, fileName, boxes);
        case ReportPainter::Outcome::Painted:
            break;
        }
    }
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return WrittenOutcome(false, fileName, boxes);
    file.close();
    return PublishExport(scratch, fileName, boxes);
}
