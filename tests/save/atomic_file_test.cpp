#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "save/atomic_file.h"
#include "support/locked_path.h"
#include "support/temp_tree.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

bool Save(const std::string& path, const std::string& bytes,
          AtomicFile::Temporary temporary = AtomicFile::Temporary::UnnamedWherePossible) {
    AtomicFile file(path, temporary);
    return file.IsOpen() && file.Write(bytes) && file.Commit();
}

struct stat StatOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
}

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec))
        names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

const std::string kOld = "old content, longer than the new one\r\n";

} // namespace

// Both the unnamed new file and the hidden named one that stands in where the file system
// cannot make unnamed files.
TEST(AtomicFile, ReplacingKeepsModeAndOwnerAndGroupWhereAllowed) {
    for (const auto temporary :
         {AtomicFile::Temporary::UnnamedWherePossible, AtomicFile::Temporary::Named}) {
        TempTree t;
        const std::string path = t.Path("list.txt");
        WriteAll(path, kOld);
        ::chmod(path.c_str(), 0640);
        const bool root = ::geteuid() == 0;
        if (root) {
            ASSERT_EQ(::chown(path.c_str(), 4321, 8765), 0);
        }
        const struct stat before = StatOf(path);
        ASSERT_TRUE(Save(path, "new\r\n", temporary));
        const struct stat after = StatOf(path);
        EXPECT_EQ(ReadAll(path), "new\r\n");
        EXPECT_NE(after.st_ino, before.st_ino); // replaced whole, not rewritten
        EXPECT_EQ(after.st_mode & 07777, 0640u);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(Entries(t.Root()), std::vector<std::string>{"list.txt"});
        ASSERT_TRUE(Save(t.Path("new.txt"), "made\r\n", temporary));
        EXPECT_EQ(ReadAll(t.Path("new.txt")), "made\r\n");
    }
}

// A save killed part-way: the target stays the old file and no half-written file is left.
TEST(AtomicFile, KilledWhileWritingLeavesOnlyTheOldFile) {
    TempTree t;
    const std::string path = t.Path("list.txt");
    WriteAll(path, kOld);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        AtomicFile file(path);
        const bool written = file.Write(std::string(1 << 20, 'x'));
        const char state = written ? 'w' : 'f';
        (void)!::write(ready[1], &state, 1);
        ::pause();
        ::_exit(0);
    }
    ::close(ready[1]);
    char state = 0;
    EXPECT_EQ(::read(ready[0], &state, 1), 1);
    ::close(ready[0]);
    EXPECT_EQ(state, 'w');
    // While the new file is being written, nobody sees it.
    EXPECT_EQ(Entries(t.Root()), std::vector<std::string>{"list.txt"});
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(ReadAll(path), kOld);
    EXPECT_EQ(Entries(t.Root()), std::vector<std::string>{"list.txt"});
}

// Where a new file cannot stand in for the old one, the old one is rewritten.
TEST(AtomicFile, HardLinkedFileOrClosedFolderIsWrittenInPlace) {
    struct Case {
        const char* name;
        std::function<void(TempTree&)> prepare;
    };
    const Case cases[] = {
        {"a second link",
         [](TempTree& t) { fs::create_hard_link(t.Path("d/list.txt"), t.Path("twin.txt")); }},
        {"a folder closed to new files", [](TempTree&) {}},
    };
    for (const Case& c : cases) {
        TempTree t;
        const std::string path = t.Folder("d") + "/list.txt";
        WriteAll(path, kOld);
        c.prepare(t);
        const ino_t inode = StatOf(path).st_ino;
        std::optional<LockedPath> folder;
        if (std::string(c.name).starts_with("a folder")) {
            folder.emplace(t.Path("d"));
            if (!folder->Works())
                continue; // no way to close a folder here
        }
        AtomicFile file(path);
        ASSERT_TRUE(file.IsOpen()) << c.name;
        EXPECT_TRUE(file.InPlace()) << c.name;
        EXPECT_TRUE(file.Write("new\r\n") && file.Commit()) << c.name;
        EXPECT_EQ(ReadAll(path), "new\r\n") << c.name;
        EXPECT_EQ(StatOf(path).st_ino, inode) << c.name;
        folder.reset();
        EXPECT_EQ(Entries(t.Path("d")), std::vector<std::string>{"list.txt"}) << c.name;
        if (fs::exists(t.Path("twin.txt"))) {
            EXPECT_EQ(ReadAll(t.Path("twin.txt")), "new\r\n");
        }
    }
}

// Failures leave the old file byte for byte and no temporary file.
TEST(AtomicFile, FailuresKeepTheOldFileAndLeaveNothingBehind) {
    TempTree t;
    const std::string bigger(4 << 20, 'x');
    {
        // A full disk: a small RAM disk where it can be mounted.
        const std::string folder = t.Folder("full");
        if (::mount("pathquill-test", folder.c_str(), "tmpfs", 0, "size=256k") == 0) {
            WriteAll(folder + "/list.txt", kOld);
            AtomicFile file(folder + "/list.txt");
            EXPECT_TRUE(file.IsOpen());
            EXPECT_FALSE(file.Write(bigger) && file.Commit());
            EXPECT_EQ(ReadAll(folder + "/list.txt"), kOld);
            EXPECT_EQ(Entries(folder), std::vector<std::string>{"list.txt"});
            ::umount2(folder.c_str(), MNT_DETACH);
        }
    }
    {
        // A file nobody may write, in a folder closed to new files.
        const std::string folder = t.Folder("ro");
        WriteAll(folder + "/list.txt", kOld);
        LockedPath lockedFile(folder + "/list.txt");
        LockedPath locked(folder);
        if (locked.Works() && lockedFile.Works()) {
            EXPECT_FALSE(Save(folder + "/list.txt", "new"));
        }
        EXPECT_EQ(ReadAll(folder + "/list.txt"), kOld);
        EXPECT_EQ(Entries(folder), std::vector<std::string>{"list.txt"});
    }
    {
        // The folder removed before the file is written, and while it is.
        const std::string folder = t.Folder("gone");
        fs::remove(folder);
        EXPECT_FALSE(Save(folder + "/list.txt", "new"));
        t.Folder("gone");
        AtomicFile file(folder + "/list.txt");
        ASSERT_TRUE(file.IsOpen());
        fs::remove_all(folder);
        file.Write("new");
        EXPECT_FALSE(file.Commit());
        EXPECT_FALSE(fs::exists(folder));
    }
}
