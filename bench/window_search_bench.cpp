// Times a plain search through the main window, offscreen: from the start command to
// "Suche beendet.". Usage: window_search_bench DIR [RUNS]
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <vector>

#include "app/message_boxes.h"
#include "app/tform1.h"
#include "results/result_model.h"
#include "trees/look_in_tree.h"

namespace {
class SilentBoxes : public MessageBoxes {
public:
    void Error(const std::string& t) override { std::fprintf(stderr, "Fehler: %s\n", t.c_str()); }
    void Information(const std::string&) override {}
    bool Question(const std::string&) override { return false; }
    void Stop(const std::string&) override {}
    void Plain(const std::string&) override {}
};
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIR [RUNS]\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_ALL, "");
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    SilentBoxes boxes;
    std::vector<double> seconds;
    long rows = 0;
    for (int i = 0; i < runs; ++i) {
        TForm1 window(boxes);
        window.stLookIn->SelectPath(argv[1]);
        for (QCheckBox* b : {window.ckbShowSize, window.ckbShowDateTime, window.ckbShowAttributes,
                             window.ckbIncludeSubfolders})
            b->setChecked(true);
        window.cbLookfor->setEditText(QStringLiteral("*.*"));
        QElapsedTimer timer;
        timer.start();
        window.btnSearchClick();
        while (window.StatusPanel0->text() != QStringLiteral("Suche beendet."))
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        seconds.push_back(timer.nsecsElapsed() / 1e9);
        rows = window.Results->rowCount();
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("window search: %ld rows, median %.3f s over %d runs\n", rows, seconds[seconds.size() / 2], runs);
    return 0;
}
