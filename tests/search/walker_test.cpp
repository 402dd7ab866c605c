#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sys/stat.h>

#include "search/formatting.h"

#include "search/search_thread.h"
#include "support/recording_sink.h"
#include "support/stepping_clock_thread.h"
#include "support/temp_tree.h"

namespace {

std::vector<std::string> Paths(const std::vector<ItemRecord>& items, bool folders = false) {
    std::vector<std::string> out;
    for (const auto& i : items) out.push_back(folders ? i.FolderPath : i.ItemPath);
    return out;
}

SearchRequest Request(const TempTree& t, std::string mask, SearchOptions o = {}) {
    SearchRequest r;
    r.target = t.Root();
    r.root = t.Root() + "/";
    r.mask = std::move(mask);
    r.options = o;
    return r;
}

std::vector<ItemRecord> Walk(const SearchRequest& r) {
    RecordingSink sink;
    TSearchThread thread(r, sink);
    thread.Execute();
    return sink.items;
}

} // namespace

TEST(Walker, DepthFirstOrderWithFolderRowsWhoseNameContainsTheMask) {
    TempTree t;
    t.File("a.txt", 1);
    t.File("sub_txt/b.txt", 2);
    t.File("sub_txt/deep/c.txt", 3);
    t.File("other/d.dat", 4);
    SearchOptions o;
    o.includeSubfolders = true;
    auto items = Walk(Request(t, "*.txt", o));
    // Enumeration order between siblings is the file system's; check the relative order.
    auto paths = Paths(items);
    ASSERT_EQ(paths.size(), 3u); // no folder contains the literal "*.txt"
    EXPECT_EQ(paths[0], t.Path("a.txt"));
    EXPECT_EQ(paths[1], t.Path("sub_txt/b.txt"));
    EXPECT_EQ(paths[2], t.Path("sub_txt/deep/c.txt"));

    items = Walk(Request(t, "txt", o));
    paths = Paths(items);
    // "txt" matches no file name exactly, but the folder sub_txt by substring.
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0], t.Path("sub_txt"));
    EXPECT_TRUE(items[0].FolderItem);
}

TEST(Walker, StarDotStarListsHiddenFilesAndNoFolderRows) {
    TempTree t;
    t.File(".hidden", 1);
    t.File("plain", 2);
    t.File("sub/inner.txt", 3);
    SearchOptions o;
    o.includeSubfolders = true;
    auto paths = Paths(Walk(Request(t, "*.*", o)));
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, (std::vector<std::string>{t.Path(".hidden"), t.Path("plain"), t.Path("sub/inner.txt")}));
}

TEST(Walker, MaskWithoutWildcardsMatchesTheNameAndFoldersContainingIt) {
    TempTree t;
    t.File("abc", 10);
    t.File("xabc", 1);
    t.File("ABCdir/abc", 5);
    t.File("ABCdir/other", 7);
    SearchOptions o;
    o.includeSubfolders = true;
    o.showSize = true;
    const auto items = Walk(Request(t, "abc", o));
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].ItemPath, t.Path("abc"));
    EXPECT_EQ(items[1].ItemPath, t.Path("ABCdir")); // folder row, with its total
    EXPECT_TRUE(items[1].FolderItem);
    EXPECT_EQ(items[1].SizeText, "12");
    EXPECT_EQ(items[2].ItemPath, t.Path("ABCdir/abc"));
    // Without subfolders only the root is listed.
    EXPECT_EQ(Walk(Request(t, "abc")).size(), 1u);
}

TEST(Walker, OnlyFoldersListsEachFolderOnceWithItsTotal) {
    TempTree t;
    t.File("a.txt", 100);
    t.File("b.txt", 23);
    t.File("sub/c.txt", 1000);
    t.File("sub/d.bin", 4);
    t.File("txtfolder/e.dat", 8);
    SearchOptions o;
    o.onlyFolders = true;
    o.includeSubfolders = true;
    const auto items = Walk(Request(t, "*.txt", o));
    std::vector<std::pair<std::string, std::string>> rows;
    for (const auto& i : items) rows.emplace_back(i.FolderPath, i.SizeText);
    std::sort(rows.begin(), rows.end());
    const std::string rootTotal = GroupThousands("1135");
    EXPECT_EQ(rows, (std::vector<std::pair<std::string, std::string>>{
                        {t.Root(), rootTotal}, {t.Path("sub"), GroupThousands("1004")}}));

    // A folder whose name contains the mask gets its own row, once.
    const auto byName = Walk(Request(t, "txt", o));
    ASSERT_EQ(byName.size(), 1u);
    EXPECT_EQ(byName[0].FolderPath, t.Path("txtfolder"));
    EXPECT_EQ(byName[0].SizeText, "8");
}

TEST(Walker, AttributeLettersOfTheLinuxMapping) {
    TempTree t;
    t.File("readonly.txt", 1);
    t.SetMode("readonly.txt", 0444);
    t.File(".hidden.txt", 1);
    t.File("normal.txt", 1);
    t.Folder("dir.txt");
    t.SetMode("dir.txt", 0555);
    ASSERT_EQ(mkfifo(t.Path("pipe.txt").c_str(), 0644), 0);
    SearchOptions o;
    o.showAttributes = true;
    o.includeSubfolders = true;
    std::map<std::string, std::string> attrs;
    for (const auto& i : Walk(Request(t, ".txt", o))) attrs[i.ItemPath] = i.Attributes;
    // Mask ".txt" without wildcards matches no name exactly; the folder row matches by substring.
    EXPECT_EQ(attrs[t.Path("dir.txt")], "RD");
    for (const auto& i : Walk(Request(t, "*.txt", o))) attrs[i.ItemPath] = i.Attributes;
    EXPECT_EQ(attrs[t.Path("readonly.txt")], "R");
    EXPECT_EQ(attrs[t.Path(".hidden.txt")], "H");
    EXPECT_EQ(attrs[t.Path("normal.txt")], "");
    EXPECT_EQ(attrs[t.Path("pipe.txt")], "S"); // listed, never opened
}

TEST(Walker, SizesAreSixtyFourBit) {
    TempTree t;
    t.File("big.bin", 5LL * 1024 * 1024 * 1024); // sparse
    SearchOptions o;
    o.showSize = true;
    const auto items = Walk(Request(t, "*", o));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].SizeText, GroupThousands("5368709120"));
}

// Many empty files, made quickly.
static void ManyFiles(const std::string& folder, int count) {
    std::filesystem::create_directories(folder);
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(::mknod((folder + "/n" + std::to_string(i)).c_str(), S_IFREG | 0644, 0), 0);
}

TEST(Walker, CancelStopsAtTheNextEntryAndKeepsWhatWasFound) {
    TempTree t;
    ManyFiles(t.Root(), 300);
    RecordingSink sink;
    SteppingClockThread thread(Request(t, "*"), sink, std::chrono::milliseconds(1));
    std::size_t atCancel = 0;
    sink.onHandOver = [&] {
        if (atCancel == 0)
            atCancel = sink.items.size();
        thread.Terminate();
    };
    thread.Execute();
    EXPECT_GT(atCancel, 0u);
    EXPECT_LT(atCancel, 300u);
    // The item being filled when the cancel came is still handed over; nothing after it.
    EXPECT_LE(sink.items.size(), atCancel + 1);
}

// A match followed by a long read without matches reaches the window within 50 ms of the
// walk's clock, with the path being read, not only at the end.
TEST(Walker, WhatIsPendingIsHandedOverWhileEntriesAreRead) {
    TempTree t;
    t.File("hit.txt", 1);
    ManyFiles(t.Path("big"), 500);
    ManyFiles(t.Path("big/deeper"), 1);
    struct Case {
        SearchOptions options;
        bool rowExpected;
    };
    SearchOptions plain, structure;
    plain.includeSubfolders = true;
    structure.structureMode = ModeExplorer;
    for (const Case& c : {Case{plain, true}, Case{structure, false}}) {
        RecordingSink sink;
        SteppingClockThread thread(Request(t, "hit*", c.options), sink,
                                   std::chrono::milliseconds(1));
        std::chrono::milliseconds firstHandOver{-1};
        sink.onHandOver = [&] {
            if (firstHandOver.count() < 0)
                firstHandOver = thread.Elapsed();
        };
        thread.Execute();
        ASSERT_FALSE(sink.statusPaths.empty());
        EXPECT_EQ(sink.statusPaths.front(), t.Path("big"));
        EXPECT_LT(firstHandOver.count(), 100);
        EXPECT_GT((thread.Elapsed() - firstHandOver).count(), 400); // the big folder was still read
        if (c.rowExpected) {
            ASSERT_FALSE(sink.items.empty());
            EXPECT_EQ(sink.items[0].ItemPath, t.Path("hit.txt"));
        }
    }
}

// A sink may ask for smaller batches: each hand-over then holds at most that many rows, in
// order, and the status shows the last of them, whatever the walk's clock says.
TEST(Walker, ASinksBatchSizeBoundsEveryHandOver) {
    TempTree t;
    for (int i = 0; i < 7; ++i)
        t.File("sub/f" + std::to_string(i) + ".txt", i);
    class SmallBatches : public RecordingSink {
      public:
        std::vector<std::size_t> sizes;
        std::vector<std::string> lastRows;
        std::size_t BatchRows() const override { return 3; }
        void Synchronize(HandOver& h) override {
            sizes.push_back(h.items.size());
            if (!h.items.empty())
                lastRows.push_back(h.items.back().ItemPath);
            RecordingSink::Synchronize(h);
        }
    };
    SearchOptions o;
    o.includeSubfolders = true;
    for (const unsigned threads : {1u, 2u}) {
        SmallBatches sink;
        SearchRequest r = Request(t, "*.txt", o);
        r.walkThreads = threads;
        SteppingClockThread thread(r, sink, std::chrono::milliseconds(0)); // never due by time
        thread.Execute();
        ASSERT_EQ(sink.items.size(), 7u);
        EXPECT_LE(*std::max_element(sink.sizes.begin(), sink.sizes.end()), 3u);
        EXPECT_GE(sink.sizes.size(), 3u);
        for (std::size_t k = 0; k < sink.lastRows.size(); ++k)
            EXPECT_EQ(sink.statusPaths[k], sink.lastRows[k]);
    }
}

TEST(Walker, EmptyDriveListShowsTheMessageAndWalksNothing) {
    SearchRequest r;
    r.target = std::string(kAllDrives);
    r.mask = "*";
    RecordingSink sink;
    TSearchThread thread(r, sink);
    thread.Execute();
    EXPECT_EQ(sink.noDrivesMessages, 1);
    EXPECT_TRUE(sink.items.empty());
}

TEST(Walker, NameThatIsNotUtf8KeepsItsBytes) {
    TempTree t;
    const std::string odd = std::string("caf\xE9") + ".txt"; // Latin-1 byte
    t.File(odd, 3);
    const auto items = Walk(Request(t, "*.txt"));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].ItemPath, t.Path(odd));
}

TEST(Walker, SymbolicLinkToAFolderAsRootIsFollowedOnce) {
    TempTree t;
    t.File("real/a.txt", 5);
    t.File("real/sub/b.txt", 7);
    std::filesystem::create_directory_symlink(t.Path("real"), t.Path("link"));
    std::filesystem::create_directory_symlink("..", t.Path("real/loop"));
    std::filesystem::create_directory_symlink("sub", t.Path("real/toSub"));
    const std::string link = t.Path("link");
    SearchRequest r = Request(t, "*.txt");
    r.target = link;
    r.root = link + "/";
    const auto rows = [&](std::string mask, bool onlyFolders) {
        r.mask = std::move(mask);
        r.options.includeSubfolders = true;
        r.options.onlyFolders = onlyFolders;
        std::vector<std::string> out;
        for (const auto& i : Walk(r))
            out.push_back(onlyFolders ? i.FolderPath + "|" + i.SizeText : i.ItemPath);
        std::sort(out.begin(), out.end());
        return out;
    };
    EXPECT_EQ(rows("*.txt", false),
              (std::vector<std::string>{link + "/a.txt", link + "/sub/b.txt"}));
    // Links below the root are listed as they are, once, and never followed.
    EXPECT_EQ(rows("*", false), (std::vector<std::string>{link + "/a.txt", link + "/loop",
                                                          link + "/sub/b.txt", link + "/toSub"}));
    // The root's total counts the links' own sizes ("..", "sub"), not what they lead to.
    EXPECT_EQ(rows("*.txt", true), (std::vector<std::string>{link + "/sub|7", link + "|17"}));
}

// Folders of pseudo file systems (here stand-ins named as such) give folder rows, but their
// totals do not walk them.
TEST(Walker, FolderRowsNeverEnterAFolderNotToEnter) {
    TempTree t;
    t.File("proc/proc", 5);
    t.File("outer/x.txt", 1);
    t.File("outer/proc/y.txt", 9);
    SearchOptions o;
    o.includeSubfolders = true;
    o.showSize = true;
    SearchRequest r = Request(t, "proc", o);
    r.mountsNotToEnter = {t.Path("proc"), t.Path("outer/proc")};
    const auto rows = [&](std::string mask, bool onlyFolders) {
        r.mask = std::move(mask);
        r.options.onlyFolders = onlyFolders;
        std::vector<std::string> out;
        for (const auto& i : Walk(r))
            out.push_back((onlyFolders ? i.FolderPath : i.ItemPath) + "|" + i.SizeText);
        std::sort(out.begin(), out.end());
        return out;
    };
    const std::vector<std::string> zeros{t.Path("outer/proc") + "|0", t.Path("proc") + "|0"};
    EXPECT_EQ(rows("proc", false), zeros);
    EXPECT_EQ(rows("proc", true), zeros);
    EXPECT_EQ(rows("*.txt", true), (std::vector<std::string>{t.Path("outer") + "|1"}));
}

// A link is typed as a link, whatever its name or what it leads to, read ahead or not.
TEST(Walker, TypeColumnNamesSymbolicLinksAsTheDesktopDoes) {
    TempTree t;
    for (const std::string dir : {"", "sub/"}) {
        t.File(dir + "notes.txt");
        t.Folder(dir + "folder");
        std::filesystem::create_directory_symlink("folder", t.Path(dir + "g++"));
        std::filesystem::create_symlink("notes.txt", t.Path(dir + "link.txt"));
        std::filesystem::create_symlink("gone", t.Path(dir + "dangling.pdf"));
    }
    SearchOptions o;
    o.includeSubfolders = o.showType = true;
    const std::string text = "Einfaches Textdokument", link = "Symbolische Verknüpfung";
    const std::map<std::string, std::string> expected = {
        {"notes.txt", text},     {"g++", link},
        {"link.txt", link},      {"dangling.pdf", link},
        {"sub/notes.txt", text}, {"sub/g++", link},
        {"sub/link.txt", link},  {"sub/dangling.pdf", link}};
    for (const unsigned threads : {1u, 3u}) {
        SearchRequest r = Request(t, "*", o);
        r.walkThreads = threads;
        std::map<std::string, std::string> types;
        for (const auto& i : Walk(r))
            types[i.ItemPath.substr(t.Root().size() + 1)] = i.TypeName;
        EXPECT_EQ(types, expected) << threads << " threads";
    }
}
