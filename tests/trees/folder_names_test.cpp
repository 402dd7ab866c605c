#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/folders.h"
#include "support/temp_tree.h"
#include "trees/folder_names.h"

using namespace folder_names;

TEST(FolderNames, AbsolutePathsAreWorkedOutFromTheTextAlone) {
    struct Case {
        const char *path, *current, *expected;
    } const cases[] = {
        {"/usr/lib", "/x", "/usr/lib"},
        {"/usr/lib/", "/x", "/usr/lib"},
        {"//usr///lib//", "/x", "/usr/lib"},
        {"/usr/./lib/../share", "/x", "/usr/share"},
        {"/..", "/x", "/"},
        {"/", "/x", "/"},
        {"daten", "/home/anna", "/home/anna/daten"},
        {"./daten/", "/home/anna", "/home/anna/daten"},
        {"../bert", "/home/anna", "/home/bert"},
        {".", "/home/anna", "/home/anna"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AbsoluteFolderPath(c.path, c.current), c.expected) << c.path;
}

TEST(FolderNames, StepsBelowAnAnchor) {
    using Steps = std::vector<std::string>;
    EXPECT_EQ(StepsBelow("/", "/usr/lib"), (Steps{"usr", "lib"}));
    EXPECT_EQ(StepsBelow("/", "/"), Steps{});
    EXPECT_EQ(StepsBelow("/home", "/home/anna/x y"), (Steps{"anna", "x y"}));
    EXPECT_EQ(StepsBelow("/home", "/home"), Steps{});
    EXPECT_FALSE(StepsBelow("/home", "/homer/x")); // a longer name is not inside
    EXPECT_FALSE(StepsBelow("/home", "/usr"));
}

TEST(FolderNames, NewFolderNames) {
    struct Case {
        std::string name;
        NameCheck expected;
    } const cases[] = {
        {"Listen", NameCheck::Valid},
        {" mit Blanks ", NameCheck::Valid},
        {".versteckt", NameCheck::Valid},
        {"Größe*?", NameCheck::Valid},
        {std::string(255, 'x'), NameCheck::Valid},
        {"", NameCheck::Empty},
        {".", NameCheck::Invalid},
        {"..", NameCheck::Invalid},
        {"a/b", NameCheck::Invalid},
        {std::string("a\0b", 3), NameCheck::Invalid},
        {std::string(256, 'x'), NameCheck::Invalid},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckFolderName(c.name), c.expected) << c.name;
}

TEST(FolderNames, DriveTexts) {
    EXPECT_EQ(DriveText("DATEN", "ext4", "/media/usb"), "DATEN (/media/usb)");
    EXPECT_EQ(DriveText("", "ext4", "/"), "ext4 (/)");
    EXPECT_EQ(DriveText("", "", "/mnt"), "/mnt");
}

TEST(FolderNames, SortedByNameLetterCaseIgnoredNumbersByValue) {
    std::vector<folders::SubFolder> list;
    for (const char* n : {"b", "a10", "Zeta", "a9", "a", "A", "Ärger", "c"})
        list.push_back({n});
    SortByName(list);
    std::vector<std::string> names;
    for (const auto& f : list)
        names.push_back(f.name);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "a", "a9", "a10", "Ärger", "b", "c", "Zeta"}));
}

namespace {
std::vector<std::string> Names(const std::vector<folders::SubFolder>& list) {
    std::vector<std::string> names;
    for (const auto& f : list)
        names.push_back(f.name);
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace

TEST(Folders, SubfoldersAreFoldersOnlyHiddenAndLinkedOnesIncluded) {
    TempTree tree;
    tree.Folder("top/plain/inner");
    tree.Folder("top/.hidden");
    tree.Folder("top/empty");
    tree.File("top/file.txt");
    tree.File("top/only-files/a.txt");
    std::filesystem::create_directory_symlink(tree.Path("top/plain"), tree.Path("top/link"));
    std::filesystem::create_symlink(tree.Path("top/file.txt"), tree.Path("top/file-link"));
    std::filesystem::create_symlink(tree.Path("nowhere"), tree.Path("top/broken"));
    const auto list = folders::ReadSubfolders(tree.Path("top"), true);
    ASSERT_TRUE(list);
    EXPECT_EQ(Names(*list),
              (std::vector<std::string>{".hidden", "empty", "link", "only-files", "plain"}));
    for (const auto& f : *list) {
        EXPECT_EQ(f.link, f.name == "link") << f.name;
        EXPECT_EQ(f.hasSubfolders, f.name == "plain" || f.name == "link") << f.name;
    }
    EXPECT_FALSE(folders::ReadSubfolders(tree.Path("top/file.txt"), false));
    EXPECT_FALSE(folders::ReadSubfolders(tree.Path("gone"), false));
}

TEST(Folders, CreateRenameWithoutReplacing) {
    TempTree tree;
    EXPECT_TRUE(folders::CreateFolderPath(tree.Path("a/b/c")));
    EXPECT_TRUE(folders::IsFolder(tree.Path("a/b/c")));
    EXPECT_TRUE(folders::CreateFolderPath(tree.Path("a/b/c"))); // already there
    tree.File("a/file");
    EXPECT_FALSE(folders::CreateFolderPath(tree.Path("a/file")));
    EXPECT_FALSE(folders::CreateFolderPath(tree.Path("a/file/below")));

    tree.Folder("a/empty");
    // rename(2) alone would silently replace the empty folder.
    EXPECT_EQ(folders::RenameFolder(tree.Path("a/b"), tree.Path("a/empty")),
              folders::RenameResult::Exists);
    EXPECT_EQ(folders::RenameFolder(tree.Path("a/b"), tree.Path("a/file")),
              folders::RenameResult::Exists);
    EXPECT_TRUE(folders::IsFolder(tree.Path("a/b/c")));
    EXPECT_EQ(folders::RenameFolder(tree.Path("a/b"), tree.Path("a/neu")),
              folders::RenameResult::Done);
    EXPECT_TRUE(folders::IsFolder(tree.Path("a/neu/c")));
    EXPECT_EQ(folders::RenameFolder(tree.Path("a/gone"), tree.Path("a/x")),
              folders::RenameResult::Failed);
    if (::geteuid() != 0) {
        tree.SetMode("a", 0555);
        EXPECT_EQ(folders::RenameFolder(tree.Path("a/neu"), tree.Path("a/x")),
                  folders::RenameResult::Denied);
    }
}
