#include <gtest/gtest.h>

#include "search/search_thread.h"
#include "support/recording_sink.h"
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
