// pathquill-list: one search without the window, written as the window's save writes it.
#include <QGuiApplication>
#include <clocale>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "cli/list_command.h"
#include "save/pdf_report.h"

namespace {

// Qt's own notices (a missing runtime folder and the like) are no business of a listing.
void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        (void)WriteToDescriptor(2, text.toStdString() + "\n");
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, ""); // dates and numbers follow the user's regional settings
    // A walk keeps one folder handle per level; let deep trees have them.
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
    ListStreams streams;
    streams.progress = ::isatty(streams.err) == 1;
    streams.outIsTerminal = ::isatty(streams.out) == 1;
    // Made only for a PDF, on the offscreen platform: no display needed.
    std::unique_ptr<QGuiApplication> painting;
    streams.writePdf = [&painting](const ResultTable& table, const ReportTexts& texts,
                                   const std::string& fileName, MessageBoxes& boxes,
                                   const ExportProgress& progress) {
        qInstallMessageHandler(QuietQt);
        painting = MakePaintingApplication();
        return WritePdfReport(table, texts, fileName, boxes, progress);
    };
    return RunListCommand(std::vector<std::string>(argv + 1, argv + argc), streams);
}
