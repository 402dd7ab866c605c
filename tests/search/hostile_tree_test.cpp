// The walker on trees real systems hold: deeper than PATH_MAX, under a low open-file limit,
// with links that lead back up, folders that vanish, no access, odd names, huge sparse files,
// crowded folders and pseudo file systems.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <linux/magic.h>
#include <malloc.h>
#include <optional>
#include <pthread.h>
#include <sched.h>
#include <set>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include "platform/paths.h"
#include "search/formatting.h"
#include "search/search_thread.h"
#include "support/child_process.h"
#include "support/deep_tree.h"
#include "support/recording_sink.h"
#include "support/stepping_clock_thread.h"
#include "support/temp_tree.h"
#include "system/drives.h"

namespace fs = std::filesystem;

namespace {

// The four walks a search can make.
enum class Walk { Files, OnlyFolders, Explorer, SingleFolders };
constexpr Walk kEveryWalk[] = {Walk::Files, Walk::OnlyFolders, Walk::Explorer, Walk::SingleFolders};

const char* NameOf(Walk w) {
    switch (w) {
    case Walk::Files:
        return "files";
    case Walk::OnlyFolders:
        return "only folders";
    case Walk::Explorer:
        return "structure, whole subtrees";
    case Walk::SingleFolders:
        return "structure, single folders";
    }
    return "";
}

SearchRequest Request(const std::string& root, Walk w, std::string mask = "*") {
    SearchRequest r;
    r.target = root;
    r.root = paths::WithTrailingSeparator(root);
    r.mask = std::move(mask);
    SearchOptions& o = r.options;
    o.includeSubfolders = true;
    o.showSize = true;
    o.onlyFolders = w == Walk::OnlyFolders;
    if (w == Walk::Explorer || w == Walk::SingleFolders) {
        o.structureMode = w == Walk::Explorer ? ModeExplorer : ModeSingleFolders;
        o.showFileCount = o.showSubfolderCount = true;
    }
    return r;
}

// One line per row: a file's path; a plain folder row's path and size; an only-folders or
// structure row's path, size and counts.
std::vector<std::string> Lines(const std::vector<ItemRecord>& items) {
    std::vector<std::string> lines;
    for (const ItemRecord& i : items) {
        if (!i.FolderPath.empty())
            lines.push_back(i.FolderPath + "|" + i.SizeText + "|" + i.FileCount + "|" +
                            i.SubfolderCount);
        else
            lines.push_back(i.FolderItem ? i.ItemPath + "|" + i.SizeText : i.ItemPath);
    }
    return lines;
}

std::vector<std::string> Rows(const SearchRequest& r) {
    RecordingSink sink;
    TSearchThread thread(r, sink);
    thread.Execute();
    return Lines(sink.items);
}

std::vector<std::string> Sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

// "" when equal; otherwise where they part, without printing megabytes of path.
std::string Difference(const std::vector<std::string>& got, const std::vector<std::string>& want) {
    const auto cut = [](const std::string& s) {
        return s.size() <= 120 ? s : "..." + s.substr(s.size() - 117);
    };
    for (std::size_t i = 0; i < std::max(got.size(), want.size()); ++i) {
        if (i < got.size() && i < want.size() && got[i] == want[i])
            continue;
        return "row " + std::to_string(i) + " of " + std::to_string(got.size()) + "/" +
               std::to_string(want.size()) + ": got " + (i < got.size() ? cut(got[i]) : "nothing") +
               ", want " + (i < want.size() ? cut(want[i]) : "nothing");
    }
    return "";
}

// Rows of a chain of `depth` folders "d" below root, each holding a one-byte file "f".
std::vector<std::string> ChainRows(const std::string& root, int depth, Walk w) {
    std::vector<std::string> rows;
    const auto line = [](const std::string& p, std::int64_t size, std::int64_t files,
                         std::int64_t subfolders) {
        return p + "|" + GroupThousands(std::to_string(size)) + "|" + std::to_string(files) + "|" +
               std::to_string(subfolders);
    };
    if (w == Walk::Explorer)
        rows.push_back(line(root, depth, depth, depth));
    if (w == Walk::SingleFolders)
        rows.push_back(line(root, 0, 0, 1));
    std::string p = root;
    for (int level = 1; level <= depth; ++level) {
        p += "/d";
        const int below = depth - level;
        switch (w) {
        case Walk::Files:
            rows.push_back(p + "/f");
            break;
        case Walk::OnlyFolders:
            rows.push_back(p + "|" + GroupThousands(std::to_string(below + 1)) + "||");
            break;
        case Walk::Explorer:
            rows.push_back(line(p, below + 1, below + 1, below));
            break;
        case Walk::SingleFolders:
            rows.push_back(line(p, 1, 1, below > 0 ? 1 : 0));
            break;
        }
    }
    return rows;
}

// Every walk of the chain, on a thread stack far too small for one C++ frame per level.
std::string WalkChainEveryWay(const std::string& root, int depth) {
    std::string report;
    for (Walk w : kEveryWalk) {
        std::vector<std::string> got;
        struct Job {
            const std::function<void()>* body;
        };
        const std::function<void()> body = [&] {
            got = Rows(Request(root, w, w == Walk::OnlyFolders ? "f" : "*"));
        };
        pthread_attr_t attr;
        pthread_attr_init(&attr);
        pthread_attr_setstacksize(&attr, 256 * 1024);
        pthread_t thread;
        Job job{&body};
        const auto start = [](void* j) -> void* {
            (*static_cast<Job*>(j)->body)();
            return nullptr;
        };
        if (pthread_create(&thread, &attr, start, &job) != 0)
            return "no thread";
        pthread_join(thread, nullptr);
        pthread_attr_destroy(&attr);
        const std::string d = Difference(got, ChainRows(root, depth, w));
        if (!d.empty())
            report += std::string(NameOf(w)) + ": " + d + "\n";
    }
    return report;
}

// Where trees of many thousand entries are made: a RAM disk when the machine has one, as
// making and removing them on a journalling disk takes minutes on a loaded machine.
std::string ScratchFolder() {
    struct statfs info {};
    if (::statfs("/dev/shm", &info) == 0 && info.f_type == TMPFS_MAGIC &&
        ::access("/dev/shm", W_OK) == 0)
        return "/dev/shm";
    return fs::temp_directory_path().string();
}

// A tree of unknown depth, removed with descriptors before TempTree's own clean-up.
struct DeepTree {
    TempTree tree{ScratchFolder()};
    ~DeepTree() { EmptyFolderOfAnyDepth(tree.Root()); }
};

} // namespace

TEST(HostileTrees, ChainDeeperThanPathMaxIsListedCompletely) {
    constexpr int kDepth = 3000;
    DeepTree t;
    ASSERT_TRUE(MakeFolderChain(t.tree.Root(), kDepth, "d", "f"));
    ASSERT_GT(ChainRows(t.tree.Root(), kDepth, Walk::Files).back().size(), std::size_t{PATH_MAX});
    EXPECT_EQ(WalkChainEveryWay(t.tree.Root(), kDepth), "");
}

// 2,000 levels with 256 descriptors at most, once with most of them taken by something else.
TEST(HostileTrees, ChainUnderALowOpenFileLimit) {
    constexpr int kDepth = 2000;
    DeepTree t;
    ASSERT_TRUE(MakeFolderChain(t.tree.Root(), kDepth, "d", "f"));
    for (int heldElsewhere : {0, 200}) {
        const std::string report = RunInChild([&]() -> std::string {
            const rlimit limit{256, 256};
            if (::setrlimit(RLIMIT_NOFILE, &limit) != 0)
                return "setrlimit failed";
            for (int i = 0; i < heldElsewhere; ++i)
                if (::open("/dev/null", O_RDONLY) < 0)
                    return "cannot hold descriptors";
            return WalkChainEveryWay(t.tree.Root(), kDepth);
        });
        EXPECT_EQ(report, "") << heldElsewhere << " descriptors held elsewhere";
    }
}

TEST(HostileTrees, SymbolicLinksAreListedOnceAndNeverFollowed) {
    TempTree t;
    t.File("real/inside", 4);
    const std::string root = t.Root();
    const std::vector<std::pair<std::string, std::string>> links{
        {"up", ".."},       {"self", "self"}, {"gone", "absent"},
        {"toReal", "real"}, {"toRoot", root}, {"real/back", ".."}};
    std::int64_t linkBytes = 0;
    for (const auto& [name, target] : links) {
        fs::create_symlink(target, t.Path(name));
        linkBytes += static_cast<std::int64_t>(target.size()); // a link's own size
    }
    const auto sizeText = [](std::int64_t n) { return GroupThousands(std::to_string(n)); };
    const std::int64_t realBytes = 4 + 2; // "inside" and the link "back" to ".."
    const std::int64_t all = 4 + linkBytes;
    const struct {
        Walk walk;
        std::vector<std::string> rows;
    } cases[] = {
        {Walk::Files,
         {t.Path("gone"), t.Path("real/back"), t.Path("real/inside"), t.Path("self"),
          t.Path("toReal"), t.Path("toRoot"), t.Path("up")}},
        {Walk::OnlyFolders,
         {root + "|" + sizeText(all) + "||", t.Path("real") + "|" + sizeText(realBytes) + "||"}},
        {Walk::Explorer,
         {root + "|" + sizeText(all) + "|7|1",
          t.Path("real") + "|" + sizeText(realBytes) + "|2|0"}},
        {Walk::SingleFolders,
         {root + "|" + sizeText(all - realBytes) + "|5|1",
          t.Path("real") + "|" + sizeText(realBytes) + "|2|0"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Sorted(Rows(Request(root, c.walk))), Sorted(c.rows)) << NameOf(c.walk);
}

TEST(HostileTrees, FolderRemovedOrRenamedWhileWalked) {
    for (Walk w : kEveryWalk) {
        TempTree t;
        std::set<std::string> before{t.Root()}, keep;
        for (const char* f : {"a/1", "a/2", "a/sub/3", "a/sub/deeper/4", "b/5", "b/in/6", "c/7",
                              "keep/8", "keep/in/9"}) {
            t.File(f, 1);
            for (fs::path p = t.Path(f); p.string().size() > t.Root().size(); p = p.parent_path())
                before.insert(p.string());
        }
        for (const std::string& p : before)
            if (p.rfind(t.Path("keep"), 0) == 0)
                keep.insert(p);

        RecordingSink sink;
        SteppingClockThread thread(Request(t.Root(), w), sink, std::chrono::milliseconds(50));
        bool changed = false;
        sink.onHandOver = [&] {
            const std::string& now = sink.statusPaths.empty() ? "" : sink.statusPaths.back();
            if (changed || now.rfind(t.Path("a/"), 0) != 0)
                return;
            changed = true;
            fs::remove_all(t.Path("a/sub"));
            fs::remove_all(t.Path("b"));
            fs::rename(t.Path("c"), t.Path("c-renamed"));
        };
        thread.Execute();
        ASSERT_TRUE(changed) << NameOf(w);
        std::set<std::string> listed;
        for (const ItemRecord& i : sink.items) {
            const std::string& p = i.FolderPath.empty() ? i.ItemPath : i.FolderPath;
            EXPECT_TRUE(listed.insert(p).second) << NameOf(w) << ": twice " << p;
            EXPECT_TRUE(before.contains(p)) << NameOf(w) << ": never there " << p;
        }
        for (const std::string& p : keep) {
            const bool isFile = !fs::is_directory(p);
            if (isFile == (w == Walk::Files)) {
                EXPECT_TRUE(listed.contains(p)) << NameOf(w) << ": lost " << p;
            }
        }
    }
}

// A folder without read permission is listed where its parent lists it, but yields nothing.
TEST(HostileTrees, UnreadableFoldersYieldNothingAndHideNothingElse) {
    TempTree t;
    t.File("top", 2);
    t.File("open/f", 1);
    t.File("locked/secret", 5);
    t.Folder("locked/inner");
    t.File("noread/g", 7);
    ::chmod(t.Root().c_str(), 0755);
    t.SetMode("locked", 0);
    t.SetMode("noread", 0311); // may be passed through, not read
    const std::string root = t.Root(), open = t.Path("open"), locked = t.Path("locked"),
                      noread = t.Path("noread");
    const struct {
        Walk walk;
        std::vector<std::string> rows;
    } cases[] = {
        {Walk::Files, {t.Path("top"), t.Path("open/f")}},
        {Walk::OnlyFolders, {root + "|3||", open + "|1||"}},
        {Walk::Explorer, {root + "|3|2|3", open + "|1|1|0", locked + "|0|0|0", noread + "|0|0|0"}},
        {Walk::SingleFolders,
         {root + "|2|1|3", open + "|1|1|0", locked + "|0|0|0", noread + "|0|0|0"}},
    };
    const std::string report = RunInChild([&]() -> std::string {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return kChildSkipped;
        if (::access(root.c_str(), R_OK | X_OK) != 0)
            return kChildSkipped;
        std::string r;
        for (const auto& c : cases) {
            const std::string d = Difference(Sorted(Rows(Request(root, c.walk))), Sorted(c.rows));
            if (!d.empty())
                r += std::string(NameOf(c.walk)) + ": " + d + "\n";
        }
        return r;
    });
    if (report == kChildSkipped)
        GTEST_SKIP() << "no unprivileged user can reach the temp folder";
    EXPECT_EQ(report, "");
}

TEST(HostileTrees, NamesKeepTheirBytes) {
    TempTree t;
    const std::vector<std::string> names{
        std::string("caf\xE9.txt"), "new\nline",  "quote\"d", "semi;colon",
        std::string("\xFF\xFE"),    "back\\slash"};
    std::vector<std::string> files, folders{t.Root()};
    for (const std::string& n : names) {
        files.push_back(t.File(n, 1));
        folders.push_back(t.Folder("dir " + n));
        files.push_back(t.File("dir " + n + "/" + n, 1));
    }
    EXPECT_EQ(Sorted(Rows(Request(t.Root(), Walk::Files))), Sorted(files));
    std::vector<std::string> structure;
    for (const std::string& line : Rows(Request(t.Root(), Walk::SingleFolders)))
        structure.push_back(line.substr(0, line.find('|', t.Root().size())));
    EXPECT_EQ(Sorted(structure), Sorted(folders));
}

TEST(HostileTrees, SparseFilesOfEightGibibytesKeepTheirExactSize) {
    TempTree t;
    constexpr std::int64_t k8GiB = 8LL << 30;
    try {
        t.File("eight", k8GiB);
        t.File("sub/eight-and-one", k8GiB + 1);
    } catch (const fs::filesystem_error&) {
        GTEST_SKIP() << "the temp folder's file system holds no file this large";
    }
    const auto text = [](std::int64_t n) { return GroupThousands(std::to_string(n)); };
    EXPECT_EQ(Sorted(Rows(Request(t.Root(), Walk::Files))),
              Sorted({t.Path("eight"), t.Path("sub/eight-and-one")}));
    RecordingSink sink;
    TSearchThread thread(Request(t.Root(), Walk::Files), sink);
    thread.Execute();
    std::set<std::string> sizes;
    for (const ItemRecord& i : sink.items)
        sizes.insert(i.SizeText);
    EXPECT_EQ(sizes, (std::set<std::string>{text(k8GiB), text(k8GiB + 1)}));
    EXPECT_EQ(Rows(Request(t.Root(), Walk::Explorer)),
              (std::vector<std::string>{t.Root() + "|" + text(2 * k8GiB + 1) + "|2|1",
                                        t.Path("sub") + "|" + text(k8GiB + 1) + "|1|0"}));
}

// Counts rows without keeping them.
class CountingSink : public SearchSink {
  public:
    std::set<std::string> paths;
    std::vector<ItemRecord> folderRows;
    void Synchronize(HandOver& h) override {
        for (ItemRecord& i : h.items)
            if (i.FolderPath.empty())
                paths.insert(std::move(i.ItemPath));
            else
                folderRows.push_back(std::move(i));
    }
    void ShowNoDrivesMessage() override {}
};

// Peak memory of the process above what it held when the walk began, in KiB; none where the
// peak cannot be reset.
std::optional<long> PeakGrowthKiB(const std::function<void()>& walk) {
    const auto status = [](const char* field) {
        long kb = -1;
        if (FILE* f = std::fopen("/proc/self/status", "r")) {
            char line[256];
            while (std::fgets(line, sizeof line, f))
                if (std::strncmp(line, field, std::strlen(field)) == 0)
                    kb = std::atol(line + std::strlen(field));
            std::fclose(f);
        }
        return kb;
    };
    const int clear = ::open("/proc/self/clear_refs", O_WRONLY | O_CLOEXEC);
    const bool reset = clear >= 0 && ::write(clear, "5", 1) == 1;
    if (clear >= 0)
        ::close(clear);
    if (!reset)
        return std::nullopt;
    const long before = status("VmRSS:");
    walk();
    return status("VmHWM:") - before;
}

// A folder of 200,000 entries below the root, which helpers read, and a chain 3,000 folders
// deep: every row is listed, and the walk holds no more than its bounded buffers, however many
// threads read, whether details come in batches and whether the disk counts as slow.
TEST(HostileTrees, HugeFolderAndDeepChainAreListedInBoundedMemory) {
    constexpr int kEntries = 200000, kDepth = 3000;
    DeepTree t;
    const std::string big = t.tree.Folder("big");
    const int dir = ::open(big.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(dir, 0);
    for (int i = 0; i < kEntries; ++i)
        ASSERT_EQ(::mknodat(dir, ("entry-" + std::to_string(i)).c_str(), S_IFREG | 0644, 0), 0);
    ::close(dir);
    ASSERT_TRUE(MakeFolderChain(t.tree.Folder("chain"), kDepth, "d", "f"));

    CountingSink files;
    TSearchThread(Request(t.tree.Root(), Walk::Files), files).Execute();
    EXPECT_EQ(files.paths.size(), std::size_t{kEntries + kDepth});
    EXPECT_TRUE(files.paths.contains(t.tree.Path("big/entry-199999")));
    CountingSink structure;
    TSearchThread(Request(t.tree.Path("big"), Walk::SingleFolders), structure).Execute();
    ASSERT_EQ(structure.folderRows.size(), 1u);
    EXPECT_EQ(structure.folderRows[0].FileCount, std::to_string(kEntries));

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizer's own bookkeeping outgrows what the walk holds";
#endif
    struct Way {
        unsigned threads;
        bool batches, slowDisk; // on a slow disk more helpers read, further ahead
    };
    for (const Walk w : {Walk::Files, Walk::Explorer})
        for (const auto [threads, batches, slowDisk] :
             {Way{1, false, false}, Way{1, true, false}, Way{4, false, false}, Way{4, true, false},
              Way{4, true, true}}) {
            const std::string report = RunInChild([&]() -> std::string {
                SearchRequest r = Request(t.tree.Root(), w);
                r.walkThreads = threads;
                r.statBatches = batches;
                r.diskAlwaysSlow = slowDisk;
                class Discarding : public SearchSink {
                  public:
                    std::size_t rows = 0;
                    void Synchronize(HandOver& h) override { rows += h.items.size(); }
                    void ShowNoDrivesMessage() override {}
                    std::size_t BatchRows() const override { return 2048; }
                };
                // A first walk pays what any walk pays once (thread stacks, the
                // allocator's arenas, caches); what it held is given back before the
                // walk that is measured.
                Discarding first;
                TSearchThread(r, first).Execute();
                ::malloc_trim(0);
                std::size_t rows = 0;
                const auto grown = PeakGrowthKiB([&] {
                    Discarding sink;
                    TSearchThread(r, sink).Execute();
                    rows = sink.rows;
                });
                if (!grown)
                    return kChildSkipped;
                // The rows alone would take some 40 MiB; a walk that keeps none of them
                // peaks at 10 to 16 MiB here, the big folder's entries included.
                if (*grown > 24 * 1024 || rows < kDepth)
                    return std::to_string(*grown) + " KiB more for " + std::to_string(rows) +
                           " rows";
                return "";
            });
            if (report != kChildSkipped) {
                EXPECT_EQ(report, "") << NameOf(w) << ", " << threads << " threads, batches "
                                      << batches << ", slow disk " << slowDisk;
            }
        }
}

// Real pseudo file systems, mounted in a mount namespace of the child's own.
TEST(HostileTrees, ProcAndSysAreNeverEntered) {
    TempTree t;
    t.File("plain/x", 3);
    t.Folder("proc");
    t.Folder("sys");
    t.Folder("ram");
    const std::string root = t.Root();
    const std::string report = RunInChild([&]() -> std::string {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return kChildSkipped;
        if (::mount("proc", t.Path("proc").c_str(), "proc", 0, nullptr) != 0 ||
            ::mount("sysfs", t.Path("sys").c_str(), "sysfs", 0, nullptr) != 0 ||
            ::mount("pathquill-test", t.Path("ram").c_str(), "tmpfs", 0, "size=1m") != 0)
            return kChildSkipped;
        if (!MakeFolderChain(t.Path("ram"), 1, "r", "f"))
            return "no file on the RAM disk";
        std::string r;
        const auto check = [&](SearchRequest q, const std::string& what,
                               const std::vector<std::string>& want) {
            q.mountsNotToEnter = MountPointsNotToEnter();
            const std::string d = Difference(Sorted(Rows(q)), Sorted(want));
            if (!d.empty())
                r += what + ": " + d + "\n";
        };
        // A RAM disk below /dev or /run is the system's, not a drive, and is not entered either.
        const std::vector<std::string> skipped = MountPointsNotToEnter();
        const bool ramIsDrive =
            std::find(skipped.begin(), skipped.end(), t.Path("ram")) == skipped.end();
        std::vector<std::string> files{t.Path("plain/x")};
        std::vector<std::string> folders{t.Path("plain") + "|3|1|0", t.Path("proc") + "|0|0|0",
                                         t.Path("sys") + "|0|0|0"};
        if (ramIsDrive) {
            files.push_back(t.Path("ram/r/f"));
            folders.insert(folders.end(),
                           {root + "|4|2|5", t.Path("ram") + "|1|1|1", t.Path("ram/r") + "|1|1|0"});
        } else {
            folders.insert(folders.end(), {root + "|3|1|4", t.Path("ram") + "|0|0|0"});
        }
        check(Request(root, Walk::Files), "files", files);
        SearchRequest bySize = Request(root, Walk::Files, "proc"); // folder rows with totals
        check(bySize, "folder row", {t.Path("proc") + "|0"});
        check(Request(root, Walk::OnlyFolders, "proc"), "only folders", {t.Path("proc") + "|0||"});
        check(Request(root, Walk::OnlyFolders, "s"), "only folders", {t.Path("sys") + "|0||"});
        check(Request(root, Walk::Explorer), "structure", folders);
        // All drives: the RAM disk is a volume of its own and is not entered from this one.
        SearchRequest drives = Request(root, Walk::Files);
        drives.target = std::string(kAllDrives);
        drives.driveList = {root};
        check(drives, "all drives", {t.Path("plain/x")});
        return r;
    });
    if (report == kChildSkipped)
        GTEST_SKIP() << "no mount namespace here";
    EXPECT_EQ(report, "");
}
