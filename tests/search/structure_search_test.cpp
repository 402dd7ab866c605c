#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/directory.h"
#include "search/formatting.h"
#include "search/search_thread.h"
#include "support/recording_sink.h"
#include "support/temp_tree.h"

namespace fs = std::filesystem;

namespace {

SearchOptions StructureOptions(int mode, int unit = UnitByte) {
    SearchOptions o;
    o.structureMode = mode;
    o.sizeUnit = unit;
    o.showSize = o.showCreated = o.showFileCount = o.showSubfolderCount = true;
    o.showAttributes = o.showShortName = true;
    return o;
}

SearchRequest Request(const std::string& root, SearchOptions o) {
    SearchRequest r;
    r.target = root;
    r.root = root == "/" ? root : root + "/";
    r.options = o;
    return r;
}

std::vector<ItemRecord> Walk(const SearchRequest& r) {
    RecordingSink sink;
    TSearchThread thread(r, sink);
    thread.Execute();
    return sink.items;
}

// Cancels as soon as the counting reaches a folder the test chooses.
class CancellingThread : public TSearchThread {
  public:
    using TSearchThread::TSearchThread;
    std::function<bool(const std::string&)> cancelAt;

  protected:
    void CountingFolder(const std::string& path) override {
        if (cancelAt && cancelAt(path))
            Terminate();
    }
};

struct Row {
    std::string path, size, files, subfolders;
    bool operator==(const Row&) const = default;
};

std::vector<Row> Rows(const std::vector<ItemRecord>& items) {
    std::vector<Row> rows;
    for (const auto& i : items)
        rows.push_back({i.FolderPath, i.SizeText, i.FileCount, i.SubfolderCount});
    return rows;
}

// The expected rows, counted independently with readdir (same order as the walk).
struct Totals {
    std::int64_t size = 0, files = 0, subfolders = 0;
};

Totals Count(const fs::path& dir, bool wholeSubtree) {
    Totals t;
    for (const auto& e : fs::directory_iterator(dir)) {
        if (e.is_directory() && !e.is_symlink()) {
            ++t.subfolders;
            if (!wholeSubtree)
                continue;
            const Totals sub = Count(e.path(), true);
            t.size += sub.size;
            t.files += sub.files;
            t.subfolders += sub.subfolders;
        } else {
            ++t.files;
            struct stat st {};
            ::lstat(e.path().c_str(), &st);
            t.size += st.st_size;
        }
    }
    return t;
}

void ExpectedRows(const fs::path& dir, bool wholeSubtree, std::vector<Row>& out) {
    const Totals t = Count(dir, wholeSubtree);
    out.push_back({dir.string(), GroupThousands(std::to_string(t.size)), std::to_string(t.files),
                   std::to_string(t.subfolders)});
    for (const auto& e : fs::directory_iterator(dir))
        if (e.is_directory() && !e.is_symlink())
            ExpectedRows(e.path(), wholeSubtree, out);
}

} // namespace

TEST(StructureSearch, NestedFoldersInBothModes) {
    TempTree t; // A = root: file x, folder B with two files and the empty folder C
    t.File("x", 10);
    t.File("B/f1", 20);
    t.File("B/f2", 30);
    t.Folder("B/C");
    const std::string a = t.Root(), b = t.Path("B"), c = t.Path("B/C");

    EXPECT_EQ(Rows(Walk(Request(a, StructureOptions(ModeExplorer)))),
              (std::vector<Row>{{a, "60", "3", "2"}, {b, "50", "2", "1"}, {c, "0", "0", "0"}}));
    EXPECT_EQ(Rows(Walk(Request(a, StructureOptions(ModeSingleFolders)))),
              (std::vector<Row>{{a, "10", "1", "1"}, {b, "50", "2", "1"}, {c, "0", "0", "0"}}));
}

TEST(StructureSearch, SiblingsCountOnlyTheirOwnFilesInSingleFolderMode) {
    TempTree t;
    for (const char* f : {"s1/a", "s1/b", "s1/c", "s2/d", "s2/e"})
        t.File(f, 1);
    auto rows = Rows(Walk(Request(t.Root(), StructureOptions(ModeSingleFolders))));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (Row{t.Root(), "0", "0", "2"}));
    std::map<std::string, std::string> files{{rows[1].path, rows[1].files},
                                             {rows[2].path, rows[2].files}};
    EXPECT_EQ(files[t.Path("s1")], "3");
    EXPECT_EQ(files[t.Path("s2")], "2");

    rows = Rows(Walk(Request(t.Root(), StructureOptions(ModeExplorer))));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (Row{t.Root(), "5", "5", "2"}));
}

// A tree deep and wide enough that a wrong memo or a wrong order shows.
TEST(StructureSearch, RowsMatchAnIndependentCountInPreOrder) {
    TempTree t;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 3; ++j) {
            const std::string d = "d" + std::to_string(i) + "/e" + std::to_string(j);
            t.File(d + "/f", 100 * i + j);
            t.File(d + "/.hidden", 7);
            t.Folder(d + "/g/h");
            if (j == 1)
                t.File(d + "/g/h/deep", 1000);
        }
    t.File("top", 1);
    fs::create_directory_symlink(t.Path("d0"), t.Path("link")); // a file, never followed
    ::mkfifo(t.Path("d1/fifo").c_str(), 0644);

    for (int mode : {ModeExplorer, ModeSingleFolders}) {
        std::vector<Row> expected;
        ExpectedRows(t.Root(), mode == ModeExplorer, expected);
        EXPECT_EQ(Rows(Walk(Request(t.Root(), StructureOptions(mode)))), expected)
            << "mode " << mode;
    }
}

TEST(StructureSearch, EmptyFolderShowsZeroInEveryUnitAnyLocale) {
    TempTree t;
    for (int mode : {ModeExplorer, ModeSingleFolders})
        for (int unit : {UnitByte, UnitKilobyte, UnitMegabyte}) {
            const auto items = Walk(Request(t.Root(), StructureOptions(mode, unit)));
            ASSERT_EQ(items.size(), 1u);
            EXPECT_EQ(items[0].SizeText, "0") << "unit " << unit;
            EXPECT_EQ(items[0].FileCount, "0");
            EXPECT_EQ(items[0].SubfolderCount, "0");
        }
}

TEST(StructureSearch, SizeTextsCarryNoBlanks) {
    TempTree t;
    t.File("k", 1024);
    const auto text = [&](int unit) {
        return Walk(Request(t.Root(), StructureOptions(ModeExplorer, unit)))[0].SizeText;
    };
    EXPECT_EQ(text(UnitByte), "1.024");
    EXPECT_EQ(text(UnitKilobyte), "1,000");
    EXPECT_EQ(text(UnitMegabyte), "0,000977");
}

TEST(StructureSearch, FolderEntryGivesCreatedAttributesAndShortPath) {
    TempTree t;
    t.Folder("ro");
    t.Folder(".hidden");
    t.SetMode("ro", 0555);
    for (int mode : {ModeExplorer, ModeSingleFolders}) {
        std::map<std::string, ItemRecord> byPath;
        for (auto& i : Walk(Request(t.Root(), StructureOptions(mode))))
            byPath[i.FolderPath] = i;
        ASSERT_EQ(byPath.size(), 3u);
        EXPECT_EQ(byPath[t.Path("ro")].Attributes, "RD");
        EXPECT_EQ(byPath[t.Path(".hidden")].Attributes, "HD");
        EXPECT_EQ(byPath[t.Root()].Attributes, "D");
        for (const auto& [path, item] : byPath) {
            EXPECT_EQ(item.ShortName, path);
            EntryKind kind;
            EntryDetails d;
            ASSERT_TRUE(StatPath(path, Field::Created, kind, d));
            EXPECT_EQ(item.Created, d.hasCreated ? DateText(d.created, true) : "") << path;
        }
    }
}

TEST(StructureSearch, UnshownColumnsAreLeftEmpty) {
    TempTree t;
    t.File("sub/f", 5);
    SearchOptions o;
    o.structureMode = ModeExplorer;
    o.showFileCount = true;
    const auto items = Walk(Request(t.Root(), o));
    ASSERT_EQ(items.size(), 2u);
    for (const auto& i : items) {
        EXPECT_EQ(i.SizeText + i.Created + i.Attributes + i.ShortName, "");
        EXPECT_EQ(i.FileCount, "1");
    }
}

TEST(StructureSearch, FolderNotEnteredIsListedWithZeroAndNothingBelow) {
    TempTree t;
    t.File("B/f", 3);
    t.File("B/C/g", 4);
    t.File("other", 1);
    SearchRequest r = Request(t.Root(), StructureOptions(ModeExplorer));
    r.mountsNotToEnter = {t.Path("B")};
    EXPECT_EQ(Rows(Walk(r)),
              (std::vector<Row>{{t.Root(), "1", "1", "1"}, {t.Path("B"), "0", "0", "0"}}));
    r.options.structureMode = ModeSingleFolders;
    EXPECT_EQ(Rows(Walk(r)),
              (std::vector<Row>{{t.Root(), "1", "1", "1"}, {t.Path("B"), "0", "0", "0"}}));
}

TEST(StructureSearch, RootFolderKeepsItsSeparator) {
    // Stop as soon as the first folder below the root is counted: the root row is made.
    RecordingSink sink;
    CancellingThread thread(Request("/", StructureOptions(ModeSingleFolders)), sink);
    thread.cancelAt = [](const std::string& p) { return p != "/"; };
    thread.Execute();
    ASSERT_GE(sink.items.size(), 2u);
    EXPECT_EQ(sink.items[0].FolderPath, "/");
    EXPECT_EQ(sink.items[0].ShortName, "/");
    EXPECT_EQ(sink.items[0].Attributes, "");
    for (std::size_t i = 1; i < sink.items.size(); ++i)
        EXPECT_EQ(sink.items[i].FolderPath.rfind('/'), 0u) << sink.items[i].FolderPath; // "/name"
}

TEST(StructureSearch, CancelWhileCountingAddsThatRowWithPartialTotalsOnly) {
    TempTree t;
    t.File("A/1", 100);
    t.File("A/2", 100);
    t.File("A/3", 100);
    t.File("B/1", 10);
    t.File("B/2", 10);
    const std::set<std::string> ab{t.Path("A"), t.Path("B")};

    // Mode 1 counts everything for the start folder: cancel at the second of A and B.
    RecordingSink sink;
    CancellingThread thread(Request(t.Root(), StructureOptions(ModeExplorer)), sink);
    int seen = 0;
    thread.cancelAt = [&](const std::string& p) { return ab.contains(p) && ++seen == 2; };
    thread.Execute();
    ASSERT_EQ(sink.items.size(), 1u);
    const ItemRecord& root = sink.items[0];
    EXPECT_TRUE((Row{root.FolderPath, root.SizeText, root.FileCount, root.SubfolderCount} ==
                 Row{t.Root(), "300", "3", "2"}) ||
                (Row{root.FolderPath, root.SizeText, root.FileCount, root.SubfolderCount} ==
                 Row{t.Root(), "20", "2", "2"}))
        << root.SizeText << " " << root.FileCount;
    EXPECT_EQ(root.Created + root.Attributes + root.ShortName, "");

    // Mode 2: cancel as the second folder's content is read; its row is the last one.
    RecordingSink sink2;
    CancellingThread thread2(Request(t.Root(), StructureOptions(ModeSingleFolders)), sink2);
    seen = 0;
    thread2.cancelAt = [&](const std::string& p) { return ab.contains(p) && ++seen == 2; };
    thread2.Execute();
    ASSERT_EQ(sink2.items.size(), 3u);
    EXPECT_EQ(sink2.items[1].FileCount, sink2.items[1].FolderPath == t.Path("A") ? "3" : "2");
    EXPECT_EQ(sink2.items[2].SizeText, "0");
    EXPECT_EQ(sink2.items[2].FileCount, "0");
    EXPECT_EQ(sink2.items[2].Created + sink2.items[2].Attributes + sink2.items[2].ShortName, "");
}

TEST(StructureSearch, EveryDriveInOrderAndCancelEndsTheDriveLoop) {
    TempTree one, two;
    one.File("a/f", 1);
    two.File("g", 2);
    SearchRequest r = Request(one.Root(), StructureOptions(ModeExplorer));
    r.target = std::string(kAllDrives);
    r.driveList = {one.Root(), two.Root()};
    EXPECT_EQ(Rows(Walk(r)), (std::vector<Row>{{one.Root(), "1", "1", "1"},
                                               {one.Path("a"), "1", "1", "0"},
                                               {two.Root(), "2", "1", "0"}}));

    RecordingSink sink;
    CancellingThread thread(r, sink);
    thread.cancelAt = [&](const std::string& p) { return p == one.Path("a"); };
    thread.Execute();
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].FolderPath, one.Root());
}

// The root row of a symbolic link to a folder shows that folder: its totals, D, its times.
TEST(StructureSearch, SymbolicLinkRootShowsTheFolderItLeadsTo) {
    TempTree t;
    t.File("real/f", 10);
    t.File("real/sub/g", 20);
    fs::create_directory_symlink("real", t.Path("link"));
    fs::create_directory_symlink("..", t.Path("real/up")); // a file here, never followed
    const std::string link = t.Path("link");
    EntryKind kind;
    EntryDetails target;
    ASSERT_TRUE(StatPath(t.Path("real"), Field::Created, kind, target));
    const std::string created = target.hasCreated ? DateText(target.created, true) : "";
    const struct {
        int mode;
        std::vector<Row> rows;
    } cases[] = {
        {ModeExplorer, {{link, "32", "3", "1"}, {link + "/sub", "20", "1", "0"}}},
        {ModeSingleFolders, {{link, "12", "2", "1"}, {link + "/sub", "20", "1", "0"}}},
    };
    for (const auto& c : cases) {
        const auto items = Walk(Request(link, StructureOptions(c.mode)));
        EXPECT_EQ(Rows(items), c.rows) << "mode " << c.mode;
        ASSERT_FALSE(items.empty());
        EXPECT_EQ(items[0].Attributes, "D");
        EXPECT_EQ(items[0].Created, created);
        EXPECT_EQ(items[0].ShortName, link);
    }
}
