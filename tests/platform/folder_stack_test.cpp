#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <vector>

#include "platform/folder_stack.h"
#include "support/temp_tree.h"

namespace fs = std::filesystem;

namespace {
FolderIdentity IdentityOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}
} // namespace

TEST(FolderStack, StaysWithinItsLimitAndComesBackToTheSameFolders) {
    TempTree t;
    std::string chain;
    for (int i = 0; i < 40; ++i)
        chain += "/d" + std::to_string(i);
    t.Folder(chain.substr(1));
    for (std::size_t limit : {2u, 4u, 64u}) {
        FolderStack stack(t.Root(), limit);
        std::vector<std::string> paths{t.Root()};
        for (int i = 0; i < 40; ++i) {
            stack.Push("d" + std::to_string(i));
            paths.push_back(paths.back() + "/d" + std::to_string(i));
            ASSERT_EQ(stack.Path(), paths.back());
            ASSERT_EQ(stack.Top().Identity(), IdentityOf(paths.back()));
            ASSERT_LE(stack.OpenCount(), limit);
        }
        for (int i = 39; i >= 0; --i) {
            stack.Pop();
            paths.pop_back();
            ASSERT_EQ(stack.Path(), paths.back());
            ASSERT_EQ(stack.Top().Identity(), IdentityOf(paths.back())) << "limit " << limit;
            ASSERT_LE(stack.OpenCount(), limit);
        }
    }
}

// A folder closed to save descriptors, then renamed and replaced by another of the same name,
// is still the one read when the walk comes back to it, as if its handle had stayed open.
TEST(FolderStack, AFolderRenamedWhileClosedIsStillTheOneRead) {
    TempTree t;
    t.Folder("a/b/c");
    FolderStack stack(t.Root(), 2);
    for (const char* name : {"a", "b", "c"}) {
        stack.Push(name);
        ASSERT_TRUE(stack.Top().IsOpen());
    }
    const FolderIdentity original = IdentityOf(t.Path("a"));
    fs::rename(t.Path("a"), t.Path("old"));
    t.Folder("a/b");
    stack.Pop();
    stack.Pop();
    EXPECT_EQ(stack.Path(), t.Path("a"));
    EXPECT_EQ(stack.Top().Identity(), original);
    EXPECT_NE(IdentityOf(t.Path("a")), original);
}

TEST(FolderStack, TheRootLinkIsFollowedLinksBelowItAreNot) {
    TempTree t;
    t.Folder("real/sub");
    fs::create_directory_symlink("real", t.Path("link"));
    fs::create_directory_symlink("sub", t.Path("real/toSub"));
    FolderStack stack(t.Path("link"));
    EntryKind kind = EntryKind::Unknown;
    EntryDetails details;
    ASSERT_TRUE(stack.Top().IsOpen());
    ASSERT_TRUE(stack.StatTop(0, kind, details));
    EXPECT_EQ(kind, EntryKind::Directory);
    stack.Push("toSub");
    EXPECT_FALSE(stack.Top().IsOpen());
    ASSERT_TRUE(stack.StatTop(0, kind, details));
    EXPECT_EQ(kind, EntryKind::Symlink);
    stack.Pop();
    stack.Push("sub");
    EXPECT_EQ(stack.Path(), t.Path("link/sub"));
    EXPECT_EQ(stack.Top().Identity(), IdentityOf(t.Path("real/sub")));

    FolderStack fromRoot("/");
    fromRoot.Push("tmp");
    EXPECT_EQ(fromRoot.Path(), "/tmp");
}
