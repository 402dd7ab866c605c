// Rows made on the walk's thread reach the window thread in order, in bounded turns.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <thread>
#include <unistd.h>

#include "results/columns.h"
#include "save/result_writer.h"
#include "search/search_runner.h"
#include "support/temp_tree.h"
#include "tests/cli/cli_capture.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Turn {
    Clock::time_point start, end;
};

// What the window thread received from one search.
struct Received {
    ResultTable table;
    std::vector<Turn> turns;
    std::vector<std::string> statusPaths;
    bool rowsAfterEnd = false;
};

SearchRequest ListingOf(const std::string& root, unsigned threads) {
    SearchRequest r;
    r.target = root;
    r.root = root + "/";
    r.mask = "*.*";
    r.walkThreads = threads;
    r.options.includeSubfolders = true;
    r.options.showSize = true;
    r.options.showModified = true;
    r.options.showAttributes = true;
    return r;
}

// The list as the text file both front ends write.
std::string Lines(const ResultTable& table) {
    std::string out;
    WriteResultLines(table, ResultLayout::PlainText, std::nullopt, [&](std::string_view piece) {
        out += piece;
        return true;
    });
    return out;
}

std::string CliLines(const TempTree& tree, unsigned threads) {
    const TempTree scratch; // the command's output is caught outside the tree it lists
    std::vector<std::string> args = {"-s", "-c", "size,modified,attributes", tree.Root()};
    if (threads)
        args.insert(args.begin(), {"--threads", std::to_string(threads)});
    return RunCli(scratch, args).out;
}

// Runs a search through a runner served by this thread until its end has arrived here.
// beforeServing runs first, with the window thread not serving yet.
Received Search(const SearchRequest& request,
                const std::function<void(SearchRunner&)>& beforeServing = {}) {
    Received got;
    got.table.columns = BuildColumnSet(request.options);
    QObject window;
    bool ended = false;
    auto* runner = new SearchRunner(
        request, RowRecipe{got.table.columns, request.options, UnitWord(request.options.sizeUnit)},
        &window,
        [&](SearchRunner*, RowBatch& batch) {
            const Clock::time_point start = Clock::now();
            got.rowsAfterEnd = got.rowsAfterEnd || ended;
            for (ResultRow& row : batch.rows)
                got.table.rows.push_back(std::move(row));
            if (batch.statusChanged)
                got.statusPaths.push_back(batch.statusPath);
            got.turns.push_back({start, Clock::now()});
        },
        [] {});
    QObject::connect(
        runner, &SearchRunner::Finished, &window, [&] { ended = true; }, Qt::QueuedConnection);
    runner->Start();
    if (beforeServing)
        beforeServing(*runner);
    QElapsedTimer timer;
    timer.start();
    while (!ended && timer.elapsed() < 60000)
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    EXPECT_TRUE(ended);
    return got;
}

// A folder of many files, made quickly.
void ManyFiles(TempTree& tree, const std::string& folder, int count) {
    const std::string path = tree.Folder(folder);
    for (int i = 0; i < count; ++i) {
        const std::string name = path + "/f" + std::to_string(i) + ".dat";
        const int fd = ::open(name.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0) << name;
        ::close(fd);
    }
}

constexpr int kBigFolderFiles = SearchRunner::kMaxWaitingRows + 8000;

class SearchRunnerRows : public ::testing::Test {
  protected:
    TempTree mixed, big;
    void SetUp() override {
        for (int d = 0; d < 4; ++d)
            for (int f = 0; f < 900; ++f)
                mixed.File("d" + std::to_string(d) + "/s/f" + std::to_string(f) + ".txt", f * 37);
        mixed.File("Ä ö ü/名前.txt", 5);
        mixed.Folder("empty/deeper");
        mixed.SetMode("d1/s/f3.txt", 0444);
        mixed.SetModified("d2/s/f4.txt", 1072269912);
        ManyFiles(big, "flat", kBigFolderFiles);
    }
};

} // namespace

TEST_F(SearchRunnerRows, SameRowsAndOrderAsTheListCommandForOneAndEveryThread) {
    for (TempTree* tree : {&mixed, &big}) {
        for (const unsigned threads : {1u, 0u}) {
            SCOPED_TRACE(tree->Root() + " threads " + std::to_string(threads));
            const Received got = Search(ListingOf(tree->Root(), threads));
            const std::string lines = Lines(got.table), cli = CliLines(*tree, threads);
            const auto differ = std::mismatch(lines.begin(), lines.end(), cli.begin(), cli.end());
            EXPECT_TRUE(lines == cli)
                << "first difference at byte " << (differ.first - lines.begin()) << " of "
                << lines.size() << " and " << cli.size() << ": "
                << lines.substr(differ.first - lines.begin(), 80) << " | "
                << cli.substr(differ.second - cli.begin(), 80);
            EXPECT_FALSE(got.rowsAfterEnd);
            ASSERT_FALSE(got.statusPaths.empty());
            for (const std::string& path : got.statusPaths)
                EXPECT_EQ(path.rfind(tree->Root(), 0), 0u) << path;
            // Every turn but the end's waits its time after the one before, so the view lays
            // the list out a bounded number of times.
            for (std::size_t i = 1; i + 1 < got.turns.size(); ++i)
                EXPECT_GE(got.turns[i].start - got.turns[i - 1].end, SearchRunner::kWindowTurn)
                    << i;
        }
    }
}

TEST_F(SearchRunnerRows, AWindowThatDoesNotServeHoldsTheWalkAndACancelLeavesAPrefix) {
    const std::string full = CliLines(big, 0);
    std::size_t mostWaiting = 0;
    const Received got = Search(ListingOf(big.Root(), 0), [&](SearchRunner& runner) {
        QElapsedTimer timer;
        timer.start();
        while (runner.WaitingRows() < SearchRunner::kMaxWaitingRows && timer.elapsed() < 30000)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        // Given time to read on, the walk still does not go past the bound.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        mostWaiting = runner.WaitingRows();
        runner.Terminate();
    });
    EXPECT_GE(mostWaiting, SearchRunner::kMaxWaitingRows);
    EXPECT_LT(mostWaiting, SearchRunner::kMaxWaitingRows + 2048);
    const std::string lines = Lines(got.table);
    EXPECT_LT(got.table.rows.size(), static_cast<std::size_t>(kBigFolderFiles));
    EXPECT_GE(got.table.rows.size(), mostWaiting);
    EXPECT_EQ(full.compare(0, lines.size(), lines), 0) << "not the start of the full list";
}
