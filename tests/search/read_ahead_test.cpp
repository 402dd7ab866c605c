#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "platform/disk_wait.h"
#include "search/formatting.h"
#include "search/search_thread.h"
#include "support/recording_sink.h"
#include "support/temp_tree.h"

// The walk with helper threads reading ahead must hand over exactly the rows of the walk
// without them.

namespace {

// Nested folders of different sizes; one holds more entries than a helper buffers at once.
class ReadAheadTree : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        tree_ = new TempTree;
        for (int i = 0; i < 2300; ++i)
            tree_->File("big/f" + std::to_string(i) + ".dat", i);
        for (int a = 0; a < 6; ++a)
            for (int b = 0; b < 4; ++b) {
                const std::string folder =
                    "d" + std::to_string(a) + "/e" + std::to_string(b) + "x1";
                for (int f = 0; f < 3; ++f)
                    tree_->File(folder + "/g" + std::to_string(f) + ".txt", a * 100 + f);
                tree_->Folder(folder + "/empty");
            }
        tree_->File("d3/e2x1/deep/deeper/deepest/last1.txt", 7);
        tree_->SetMode("d2/e1x1/g0.txt", 0444);
        tree_->File("top1.txt", 1);
    }
    static void TearDownTestSuite() {
        delete tree_;
        tree_ = nullptr;
    }

    static SearchRequest Request(const std::string& mask, SearchOptions o, unsigned threads,
                                 bool batches = false, bool slowDisk = false) {
        SearchRequest r;
        r.target = tree_->Root();
        r.root = tree_->Root() + "/";
        r.mask = mask;
        r.options = o;
        r.walkThreads = threads;
        r.statBatches = batches;
        r.diskAlwaysSlow = slowDisk; // the helpers for a slow disk read too
        return r;
    }

    static TempTree* tree_;
};
TempTree* ReadAheadTree::tree_ = nullptr;

// Every text of every record, so any difference shows.
std::vector<std::string> Texts(const std::vector<ItemRecord>& items) {
    std::vector<std::string> out;
    for (const ItemRecord& i : items)
        out.push_back(i.ItemPath + "|" + i.FolderPath + "|" + i.SizeText + "|" + i.Modified + "|" +
                      i.Created + "|" + i.LastAccess + "|" + i.Attributes + "|" + i.ShortName +
                      "|" + i.FileCount + "|" + i.SubfolderCount);
    return out;
}

// A walk that may act as it enters a folder, in the listing or in the counting.
class HookedSearch : public TSearchThread {
  public:
    HookedSearch(SearchRequest r, SearchSink& sink,
                 std::function<void(TSearchThread&, const std::string&)> hook)
        : TSearchThread(std::move(r), sink), hook_(std::move(hook)) {}

  protected:
    void ListingFolder(const std::string& path) override { hook_(*this, path); }
    void CountingFolder(const std::string& path) override { hook_(*this, path); }

  private:
    std::function<void(TSearchThread&, const std::string&)> hook_;
};

// Takes the batches on a thread of its own, as the window does: the walk reads on meanwhile,
// and what it handed over must stay as it was until taken.
class LaterSink : public SearchSink {
  public:
    LaterSink() : server_([this] { Serve(); }) {}
    ~LaterSink() override {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        server_.join();
    }
    void Synchronize(HandOver& h) override {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return waiting_ == nullptr; });
        waiting_ = &h;
        changed_.notify_all();
    }
    void AwaitServed() override {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return waiting_ == nullptr; });
    }
    void ShowNoDrivesMessage() override {}
    bool ServesLater() const override { return true; }
    std::size_t BatchRows() const override { return 7; } // many hand-overs, few rows each
    std::vector<ItemRecord> items;

  private:
    void Serve() {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [&] { return waiting_ != nullptr || stop_; });
            if (!waiting_)
                return;
            for (const ItemRecord& i : waiting_->items)
                items.push_back(i);
            waiting_ = nullptr;
            changed_.notify_all();
        }
    }
    std::mutex mutex_;
    std::condition_variable changed_;
    HandOver* waiting_ = nullptr;
    bool stop_ = false;
    std::thread server_;
};

std::vector<std::string> Walk(const SearchRequest& r,
                              std::function<void(TSearchThread&, const std::string&)> hook = {},
                              bool servedLater = false) {
    RecordingSink now;
    LaterSink later;
    SearchSink& sink = servedLater ? static_cast<SearchSink&>(later) : now;
    HookedSearch search(
        r, sink, hook ? hook : [](TSearchThread&, const std::string&) {});
    search.Execute();
    return Texts(servedLater ? later.items : now.items);
}

struct WalkCase {
    const char* name;
    const char* mask;
    SearchOptions options;
};

SearchOptions Options(bool size, bool dates, bool attributes, bool onlyFolders, int structure,
                      bool subfolders = true) {
    SearchOptions o;
    o.showSize = size;
    o.showModified = o.showCreated = o.showLastAccess = dates;
    o.showAttributes = attributes;
    o.onlyFolders = onlyFolders || structure != ModeNone;
    o.includeSubfolders = subfolders || structure != ModeNone;
    o.showFileCount = o.showSubfolderCount = structure != ModeNone;
    o.structureMode = structure;
    o.sizeUnit = UnitKilobyte;
    return o;
}

const WalkCase kCases[] = {
    {"every column", "*.*", Options(true, true, true, false, ModeNone)},
    {"folder rows by name", "x1", Options(true, true, true, false, ModeNone)},
    {"a mask", "*1*", Options(true, false, true, false, ModeNone)},
    {"only folders", "*.txt", Options(false, false, false, true, ModeNone)},
    {"without subfolders", "*.*", Options(true, true, false, false, ModeNone, false)},
    {"explorer structure", "*.*", Options(true, true, true, false, ModeExplorer)},
    {"single folders structure", "*.*", Options(true, true, true, false, ModeSingleFolders)},
};

} // namespace

// Every thread count, details fetched one by one or in batches, on a quick or a slow disk,
// batches taken at once or while the walk reads on: the rows of one thread alone.
TEST_F(ReadAheadTree, SameRowsAsTheWalkWithoutHelpers) {
    for (const WalkCase& c : kCases) {
        const std::vector<std::string> alone = Walk(Request(c.mask, c.options, 1));
        ASSERT_FALSE(alone.empty()) << c.name;
        for (const unsigned threads : {1u, 2u, 4u})
            for (const bool batches : {false, true})
                for (const bool slow : {false, true})
                    for (const bool later : {false, true})
                        EXPECT_EQ(
                            Walk(Request(c.mask, c.options, threads, batches, slow), {}, later),
                            alone)
                            << c.name << " with " << threads << " threads, batches " << batches
                            << ", slow disk " << slow << ", served later " << later;
    }
}

// A folder deleted while the walk is elsewhere is not listed, whether or not a helper had
// read it before.
TEST_F(ReadAheadTree, AFolderRemovedDuringTheWalkIsLeftOutAsWithoutHelpers) {
    for (const WalkCase& c : kCases) {
        std::vector<std::vector<std::string>> results;
        struct Way {
            unsigned threads;
            bool batches, slowDisk;
        };
        for (const auto& [threads, batches, slowDisk] :
             {Way{1, false, false}, Way{4, false, false}, Way{1, true, false}, Way{4, true, false},
              Way{2, false, true}, Way{4, true, true}}) {
            TempTree t;
            for (const char* f : {"a/a1.txt", "a/a2.txt", "b/b1.txt", "b/sub/b2.txt", "c/c1.txt"})
                t.File(f, 10);
            SearchRequest r = Request(c.mask, c.options, threads, batches, slowDisk);
            r.target = t.Root();
            r.root = t.Root() + "/";
            bool removed = false;
            // Whichever of a and c comes first in the enumeration, the other goes once b is met.
            std::vector<std::string> texts = Walk(r, [&](TSearchThread&, const std::string& path) {
                if (removed || (path != t.Path("b") && path != t.Path("b/")))
                    return;
                removed = true;
                std::filesystem::remove_all(t.Path("c"));
                std::filesystem::remove_all(t.Path("a"));
            });
            // The two trees differ in their roots and, made a moment apart, in their times.
            for (std::string& text : texts) {
                for (std::size_t at; (at = text.find(t.Root())) != std::string::npos;)
                    text.replace(at, t.Root().size(), "ROOT");
                text = std::regex_replace(text, std::regex("[0-9]{2}:[0-9]{2}:[0-9]{2}"), "TIME");
            }
            results.push_back(std::move(texts));
            EXPECT_EQ(removed, c.options.includeSubfolders) << c.name;
        }
        for (std::size_t k = 1; k < results.size(); ++k)
            EXPECT_EQ(results[k], results[0]) << c.name << ", way " << k;
    }
}

// The helpers stop with the search thread: the walk returns promptly after a cancel, with
// what it had found.
TEST_F(ReadAheadTree, CancelStopsTheHelpersAtOnce) {
    for (const unsigned threads : {1u, 4u}) {
        std::chrono::steady_clock::time_point cancelled;
        int folders = 0;
        RecordingSink sink;
        HookedSearch search(Request("*.*", Options(true, true, true, false, ModeNone), threads),
                            sink, [&](TSearchThread& s, const std::string&) {
                                if (++folders == 3) {
                                    cancelled = std::chrono::steady_clock::now();
                                    s.Terminate();
                                }
                            });
        search.Execute();
        const auto took = std::chrono::steady_clock::now() - cancelled;
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(took).count();
        RecordProperty("cancel_ms_threads_" + std::to_string(threads), static_cast<int>(ms));
        std::printf("cancel with %u threads: %lld ms\n", threads, static_cast<long long>(ms));
        EXPECT_EQ(folders, 3) << "no folder is entered after the cancel";
        // Generous for a loaded machine; a helper that does not stop hangs far longer.
        EXPECT_LT(ms, 2000);
    }
}

// The helpers for a slow disk are set by a digit from 0 to 8 in the environment; anything
// else keeps the default.
TEST(DiskHelpers, WantedFromTheEnvironment) {
    const struct {
        const char* value;
        unsigned wanted;
    } cases[] = {{nullptr, 5}, {"", 5},   {"0", 0},  {"3", 3}, {"8", 8},
                 {"9", 5},     {"-1", 5}, {"12", 5}, {"x", 5}, {" 2", 5}};
    for (const auto& c : cases)
        EXPECT_EQ(DiskHelpersWanted(c.value, 5), c.wanted) << (c.value ? c.value : "(unset)");
}

// The disk counts as slow for a while after a wait on it, and a walk told to treat it as slow
// does so from the start; a step that ends at once never counts as a wait on the disk.
TEST(DiskHelpers, PaceFollowsTheWaits) {
    DiskPace quick(false, std::chrono::hours(1)); // no pause of a busy machine ends the while
    EXPECT_FALSE(quick.Slow());
    EXPECT_TRUE(quick.MarkSlow()) << "the first wait turns a quick disk slow";
    EXPECT_TRUE(quick.Slow());
    EXPECT_FALSE(quick.MarkSlow()) << "a slow disk stays slow, not newly so";
    EXPECT_TRUE(DiskPace(true).Slow());
    EXPECT_GE(ThreadBlocksRead(), 0) << "the system counts each thread's reads from devices";
    DiskWaitProbe probe;
    for (int i = 0; i < 3; ++i) {
        probe.Start();
        EXPECT_FALSE(probe.Waited());
    }
}
