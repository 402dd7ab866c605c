// The print command and the two exports of the "Datei" menu.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <ctime>

#include "app/message_boxes.h"
#include "app/tform1.h"
#include "platform/paths.h"
#include "resources/qt_text.h"
#include "results/result_model.h"
#include "save/composed_name.h"
#include "save/export_file.h"
#include "save/export_progress_dialog.h"
#include "save/pdf_report.h"
#include "save/report_painter.h"
#include "save/xlsx_writer.h"
#include "trees/save_in_tree.h"

namespace {

class NoBoxes : public MessageBoxes {
  public:
    void Error(const std::string&) override {}
    void Information(const std::string&) override {}
    bool Question(const std::string&) override { return false; }
    void Stop(const std::string&) override {}
    void Plain(const std::string&) override {}
};

// A menu entry's text as a dialog title: no accelerator, no ellipsis.
std::string DialogTitle(int message) {
    QString title = QText(message).remove(QLatin1Char('&'));
    title.remove(QStringLiteral(" \u2026"));
    return title.toStdString();
}

std::string DesktopSaveDialog(QWidget* parent, const std::string& title,
                              const std::string& suggestion, const std::string& filter,
                              const std::string& extension) {
    QFileDialog dialog(parent, QText(title), QText(suggestion), QText(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave); // asks itself before a file is replaced
    dialog.setDefaultSuffix(QText(extension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front().toStdString();
}

// Progress of painting a preview stands above the preview.
QWidget* ProgressParent(QWidget* window) {
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : window;
}

// The Save In folder and the name "Dateinamen erzeugen" composes, with the extension; composing
// does not speak up, a refused name just suggests none.
std::string Suggestion(const std::string& searchTarget, const std::string& lookFor,
                       std::string folder, const std::string& extension) {
    if (folder.empty())
        folder = QDir::homePath().toStdString();
    NoBoxes quiet;
    const auto composed = ComposeFileName(searchTarget, lookFor, quiet,
                                          [](const std::string&, const std::string&) {});
    if (!composed || !composed->name.ends_with(".txt"))
        return paths::WithTrailingSeparator(folder);
    std::string name = composed->name;
    name.replace(name.size() - 3, 3, extension);
    return paths::Join(folder, name);
}

void DesktopPrintPreview(QWidget* parent, QPrinter& printer,
                         const std::function<void(QPrinter*)>& paint) {
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QText(290));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, paint);
    preview.exec();
}

} // namespace

void TForm1::ConnectExportCommands() {
    connect(mnPrint, &QAction::triggered, this, &TForm1::mnPrintClick);
    connect(mnExportPdf, &QAction::triggered, this, &TForm1::mnExportPdfClick);
    connect(mnExportSpreadsheet, &QAction::triggered, this, &TForm1::mnExportSpreadsheetClick);
    ChooseExportFile = [this](const std::string& title, const std::string& suggestion,
                              const std::string& filter, const std::string& extension) {
        return DesktopSaveDialog(this, title, suggestion, filter, extension);
    };
    ShowPrintPreview = [this](QPrinter& printer, const std::function<void(QPrinter*)>& paint) {
        DesktopPrintPreview(this, printer, paint);
    };
}

void TForm1::mnExportPdfClick() {
    ExportList(true);
}

void TForm1::mnExportSpreadsheetClick() {
    ExportList(false);
}

void TForm1::ExportList(bool pdf) {
    if (Results->rowCount() == 0) {
        messages_.Error(Msg(40));
        return;
    }
    const std::string extension = pdf ? "pdf" : "xlsx";
    const std::string file = ChooseExportFile(
        DialogTitle(pdf ? 283 : 284),
        Suggestion(SearchTarget, LookForText(), sjtSaveIn->SelectedFolder(), extension),
        Msg(pdf ? 285 : 286), extension);
    if (file.empty())
        return;

    // Rows a running search adds meanwhile must not move the rows being written.
    const ResultTable copy = SearchRunning() ? Results->Table() : ResultTable{};
    const ResultTable& table = SearchRunning() ? copy : Results->Table();
    WriterPlatform machine;
    if (DriveTypeOfSaveTarget)
        machine.driveTypeName = DriveTypeOfSaveTarget;
    ExportProgressDialog progress(this, Msg(pdf ? 288 : 289));
    const WriteOutcome out =
        pdf ? WritePdfReport(table,
                             MakeReportTexts(
                                 table, {SearchTarget, lookForMask_, runningOptions_.structureMode},
                                 std::time(nullptr), machine),
                             file, messages_, progress.Callback(), machine)
            : WriteSpreadsheet(table, file, {SheetNameOf(SearchTarget)}, messages_,
                               progress.Callback(), machine);
    if (out.leftPanel)
        StatusPanel0->setText(QText(*out.leftPanel));
    if (out.rightPanel)
        StatusPanel1->setText(QText(*out.rightPanel));
}

void TForm1::mnPrintClick() {
    if (Results->rowCount() == 0) {
        messages_.Error(Msg(40));
        return;
    }
    const ResultTable copy = SearchRunning() ? Results->Table() : ResultTable{};
    const ResultTable& table = SearchRunning() ? copy : Results->Table();
    ReportPainter painter(
        table, MakeReportTexts(table, {SearchTarget, lookForMask_, runningOptions_.structureMode},
                               std::time(nullptr)));
    QPrinter printer(QPrinter::HighResolution);
    {
        ExportProgressDialog progress(this, Msg(287));
        if (!painter.Prepare(printer, progress.Callback()))
            return;
    }
    ShowPrintPreview(printer, [&](QPrinter* device) {
        ExportProgressDialog progress(ProgressParent(this), Msg(287));
        painter.Paint(*device, progress.Callback());
    });
}
