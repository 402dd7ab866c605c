// The window under repeated searches: cancel, start again and close in every order, and a
// search of 200,000 entries that never keeps the window thread busy for long.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <ctime>
#include <functional>
#include <iostream>
#include <memory>
#include <thread>
#include <unistd.h>

#include "app/tform1.h"
#include "results/result_model.h"
#include "search/search_runner.h"
#include "support/scripted_message_boxes.h"
#include "support/stall_meter.h"
#include "support/temp_tree.h"
#include "trees/look_in_tree.h"

namespace {

using namespace std::chrono_literals;

// Runs the event loop until done() holds; false when that took longer than limitMs.
bool ProcessUntil(const std::function<bool()>& done, int limitMs = 60000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > limitMs)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

bool Ended(const TForm1& w) {
    return !w.SearchRunning() && !w.btnCancel->isEnabled();
}

// count entries f0.txt … in folder: hard links to one empty file there, far cheaper to make than
// as many files on a busy disk; the walker lists each as a file of its own.
void MakeFiles(TempTree& tree, const std::string& folder, int count) {
    const std::string source = tree.File(folder + "/source.dat");
    const std::string dir = tree.Path(folder) + "/f";
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(::link(source.c_str(), (dir + std::to_string(i) + ".txt").c_str()), 0);
}

void Start(TForm1& w, const std::string& folder) {
    ASSERT_TRUE(w.stLookIn->SelectPath(folder));
    w.cbLookfor->setEditText(QStringLiteral("*.txt"));
    w.btnSearchClick();
}

std::size_t UnfinishedRunners(const TForm1& w) {
    std::size_t n = 0;
    for (const SearchRunner* r : w.findChildren<SearchRunner*>())
        n += r->IsFinished() ? 0 : 1;
    return n;
}

// Whether every thread object of the window is released once its end has been handled.
bool RunnersReleased(const TForm1& w) {
    return ProcessUntil(
        [&] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return w.findChildren<SearchRunner*>().empty();
        },
        10000);
}

constexpr int kCycleFiles = 20 * 250;

class SearchCycles : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        tree_ = std::make_unique<TempTree>();
        for (int d = 0; d < 20; ++d)
            MakeFiles(*tree_, "d" + std::to_string(d), 250);
    }
    static void TearDownTestSuite() { tree_.reset(); }
    static std::unique_ptr<TempTree> tree_;
    ScriptedMessageBoxes boxes;
};
std::unique_ptr<TempTree> SearchCycles::tree_;

} // namespace

// Each cycle cancels a search and starts another while the first may still be ending, then
// ends the second in one of four ways. The window must finish every search it started, keep
// no thread object, and report only the newest search.
TEST_F(SearchCycles, CancelStartAgainAndCloseAHundredTimes) {
    for (int cycle = 0; cycle < 100; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        auto window = std::make_unique<TForm1>(boxes);
        window->ckbIncludeSubfolders->setChecked(true);
        Start(*window, tree_->Root());
        for (int i = 0; i < cycle % 3; ++i)
            QApplication::processEvents();
        window->btnCancelClick();
        Start(*window, tree_->Root());
        switch (cycle % 4) {
        case 0: // close at once, the first search perhaps still ending
            break;
        case 1: // close after the first rows have arrived
            ASSERT_TRUE(
                ProcessUntil([&] { return window->Results->rowCount() > 0 || Ended(*window); }));
            break;
        case 2: // let it end: the complete listing, once, and nothing of the cancelled search
            ASSERT_TRUE(ProcessUntil([&] { return Ended(*window); }));
            EXPECT_EQ(window->StatusPanel1->text().toStdString(),
                      "Fundstellen: " + std::to_string(kCycleFiles));
            EXPECT_EQ(window->Results->rowCount(), kCycleFiles);
            break;
        case 3: // cancel this one too: close must still wait for both
            window->btnCancelClick();
            break;
        }
        window->close();
        EXPECT_FALSE(window->SearchRunning());
        EXPECT_EQ(UnfinishedRunners(*window), 0u);
        EXPECT_TRUE(RunnersReleased(*window));
        if (HasFailure())
            return;
    }
    EXPECT_TRUE(boxes.shown.empty());
}

// A window destroyed without being closed first still lets its searches end.
TEST_F(SearchCycles, DestroyingTheWindowDuringASearchWaitsForIt) {
    for (int cycle = 0; cycle < 10; ++cycle) {
        auto window = std::make_unique<TForm1>(boxes);
        window->ckbIncludeSubfolders->setChecked(true);
        Start(*window, tree_->Root());
        if (cycle % 2)
            window->btnCancelClick();
        window.reset(); // must neither hang nor leave a thread behind on a freed window
    }
    EXPECT_TRUE(boxes.shown.empty());
}

// The meter itself: it must see our own busy or blocked stretch, and not an idle loop.
TEST(StallMeter, SeesTheWindowThreadBusyOrBlockedButNotIdle) {
    const auto spinCpu = [] {
        timespec t{};
        const auto cpuNs = [&] {
            clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
            return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec;
        };
        const std::int64_t until = cpuNs() + 150'000'000;
        while (cpuNs() < until) {
        }
    };
    const auto block = [] { std::this_thread::sleep_for(150ms); };
    struct Case {
        const char* what;
        std::function<void()> stall;
        bool seen;
    };
    for (const Case& c :
         {Case{"busy", spinCpu, true}, Case{"blocked", block, true}, Case{"idle", [] {}, false}}) {
        SCOPED_TRACE(c.what);
        StallMeter meter;
        meter.Start();
        bool stalled = false;
        QTimer::singleShot(20, [&] {
            c.stall();
            stalled = true;
        });
        ASSERT_TRUE(ProcessUntil([&] { return stalled && meter.Ticks() > 20; }));
        meter.Stop();
        if (c.seen)
            EXPECT_GE(meter.Longest(), 140ms);
        else
            EXPECT_LT(meter.Longest(), 100ms);
    }
}

TEST(WindowResponsiveness, SearchOfTwoHundredThousandEntriesNeverStallsTheWindow) {
    TempTree tree;
    for (int d = 0; d < 200; ++d)
        MakeFiles(tree, "d" + std::to_string(d), 1000);
    ScriptedMessageBoxes boxes;
    TForm1 window{boxes};
    for (QCheckBox* box : {window.ckbIncludeSubfolders, window.ckbShowSize, window.ckbShowDateTime,
                           window.ckbShowAttributes})
        box->setChecked(true);
    StallMeter meter;
    meter.Start();
    Start(window, tree.Root());
    ASSERT_TRUE(ProcessUntil([&] { return Ended(window); }));
    meter.Stop();
    ASSERT_EQ(window.Results->rowCount(), 200000);
    EXPECT_GT(meter.Ticks(), 10);
    EXPECT_LE(meter.Longest(), 100ms);
    std::cout << "longest window-thread stall: " << meter.Longest().count() << " ms over "
              << meter.Ticks() << " ticks\n";
    RecordProperty("longest_stall_ms", static_cast<int>(meter.Longest().count()));
}
