#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "search/search_thread.h"
#include "support/recording_sink.h"
#include "support/temp_tree.h"
#include "system/drives.h"

namespace {

constexpr std::int64_t kMiB = 1048576;

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// A tmpfs mounted for the length of one test; needs root.
class TmpfsMount {
  public:
    TmpfsMount(const std::string& where, const char* options)
        : where_(where), ok_(::mount("pathquill-test", where.c_str(), "tmpfs", 0, options) == 0) {}
    TmpfsMount(const std::string& from, const std::string& where)
        : where_(where), ok_(::mount(from.c_str(), where.c_str(), nullptr, MS_BIND, nullptr) == 0) {
    }
    ~TmpfsMount() {
        if (ok_)
            ::umount2(where_.c_str(), MNT_DETACH);
    }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;
    bool ok() const { return ok_; }

  private:
    std::string where_;
    bool ok_;
};

int CountNamed(const std::vector<ItemRecord>& items, const std::string& name) {
    return static_cast<int>(std::count_if(items.begin(), items.end(), [&](const ItemRecord& i) {
        return std::filesystem::path(i.ItemPath).filename() == name;
    }));
}

} // namespace

TEST(Drives, FreeSpaceBoundaryIsExactlyOneMebibyte) {
    EXPECT_TRUE(HasFreeSpace(kMiB, 1));
    EXPECT_FALSE(HasFreeSpace(kMiB - 1, 1));
    EXPECT_TRUE(HasFreeSpace(3 * kMiB, 3));
    EXPECT_FALSE(HasFreeSpace(3 * kMiB - 1, 3));
    EXPECT_TRUE(HasFreeSpace(0, 0));
    // A failed query counts as -1 bytes.
    EXPECT_FALSE(HasFreeSpace(-1, 0));
    EXPECT_FALSE(HasFreeSpace(-1, 1));
    const auto big = std::numeric_limits<std::int64_t>::max();
    EXPECT_TRUE(HasFreeSpace(big, big / kMiB));
    EXPECT_FALSE(HasFreeSpace(big, big / kMiB + 1));
}

TEST(Drives, PathsWithoutAVolumeHaveNoSpaceAndNoMedium) {
    for (const std::string p : {"", "relative/file.txt", "\\\\server\\share"}) {
        EXPECT_FALSE(HasFreeSpaceMB(p, 1)) << p;
        EXPECT_LT(GetFreeSpaceMB(p), 0.0) << p;
        EXPECT_EQ(GetDriveTypeName(p), "Does not exist") << p;
        EXPECT_FALSE(IsDriveReady(p)) << p;
        const VolumeInfo info = GetVolumeInfo(p);
        EXPECT_FALSE(info.ok) << p;
        EXPECT_TRUE(info.label.empty() && info.fileSystem.empty());
        EXPECT_EQ(info.serial, 0u);
    }
}

TEST(Drives, AFileNotYetWrittenBelongsToTheVolumeOfItsFolder) {
    TempTree t;
    const std::string future = t.Path("new/folder/result.txt");
    EXPECT_EQ(GetDriveTypeName(future), GetDriveTypeName(t.Root()));
    EXPECT_NE(GetDriveTypeName(t.Root()), "Does not exist");
    EXPECT_EQ(HasFreeSpaceMB(future, 1), HasFreeSpaceMB(t.Root(), 1));
    const VolumeInfo info = GetVolumeInfo(future);
    EXPECT_TRUE(info.ok);
    EXPECT_FALSE(info.fileSystem.empty());
}

TEST(Drives, ASymbolicLinkCountsForTheVolumeItPointsTo) {
    TempTree t;
    std::filesystem::create_directory_symlink("/proc", t.Path("procs"));
    EXPECT_EQ(GetDriveTypeName(t.Path("procs/self")), "Does not exist");
    EXPECT_FALSE(IsFloppyOrHarddisk(t.Path("procs/self")));
}

TEST(Drives, BuildDriveListAppendsSortedReadyVolumes) {
    std::vector<std::string> list{"kept"};
    BuildDriveList(list);
    ASSERT_GE(list.size(), 2u);
    EXPECT_EQ(list.front(), "kept");
    const std::vector<std::string> drives(list.begin() + 1, list.end());
    EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end()));
    EXPECT_EQ(std::adjacent_find(drives.begin(), drives.end()), drives.end());
    for (const std::string& d : drives) {
        EXPECT_TRUE(IsDriveReady(d)) << d;
        EXPECT_NE(GetDriveTypeName(d), "Does not exist") << d;
    }
    EXPECT_FALSE(Contains(drives, "/proc"));
    EXPECT_FALSE(Contains(drives, "/sys"));

    BuildDriveList(list); // not emptied: every drive a second time
    EXPECT_EQ(list.size(), 1 + 2 * drives.size());
}

TEST(Drives, PseudoFileSystemsAreNotEntered) {
    const auto skip = MountPointsNotToEnter();
    EXPECT_TRUE(Contains(skip, "/proc"));
    EXPECT_TRUE(Contains(skip, "/sys"));
    EXPECT_FALSE(Contains(skip, "/"));
}

// Root only: a real RAM disk, mounted twice.
TEST(Drives, RamDiskIsOneDriveAndAllDrivesListsItsFilesOnce) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting needs root";
    TempTree t{TreePlace::Disk}; // not below a RAM disk of the system's own
    const std::string first = t.Folder("a_ram"), second = t.Folder("b_ram");
    TmpfsMount ram(first, "size=2m");
    if (!ram.ok())
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    TmpfsMount bind(first, second);
    ASSERT_TRUE(bind.ok());

    EXPECT_EQ(GetDriveTypeName(first), "RAM disk");
    EXPECT_EQ(GetDriveTypeName(second + "/x"), "RAM disk");
    EXPECT_FALSE(IsFloppyOrHarddisk(first));
    // An empty 2 MiB RAM disk has exactly 2 MiB free; one page used, less than that.
    EXPECT_TRUE(HasFreeSpaceMB(first, 2));
    EXPECT_FALSE(HasFreeSpaceMB(first, 3));
    std::ofstream(t.Path("a_ram/inner.txt")) << 'x'; // takes a page, unlike a sparse file
    EXPECT_FALSE(HasFreeSpaceMB(first, 2));
    EXPECT_TRUE(HasFreeSpaceMB(first, 1));
    t.File("a_ram/sub/deep.txt", 10);
    t.File("outer.txt", 5);

    std::vector<std::string> drives;
    BuildDriveList(drives);
    EXPECT_TRUE(Contains(drives, first));
    EXPECT_FALSE(Contains(drives, second));
    EXPECT_TRUE(Contains(MountPointsNotToEnter(), second));

    // The temporary folder stands in for the volume that holds it.
    SearchRequest r;
    r.target = std::string(kAllDrives);
    r.mask = "*";
    r.options.includeSubfolders = true;
    r.driveList.push_back(t.Root());
    for (const std::string& d : drives)
        if (d.starts_with(t.Root() + "/"))
            r.driveList.push_back(d);
    r.mountsNotToEnter = MountPointsNotToEnter();
    RecordingSink sink;
    TSearchThread(r, sink).Execute();
    EXPECT_EQ(CountNamed(sink.items, "inner.txt"), 1);
    EXPECT_EQ(CountNamed(sink.items, "deep.txt"), 1);
    EXPECT_EQ(CountNamed(sink.items, "outer.txt"), 1);
    EXPECT_EQ(sink.noDrivesMessages, 0);

    // A search of the folder itself reaches the RAM disk once, through its first mount.
    r.target = t.Root();
    r.root = t.Root() + "/";
    RecordingSink folderSink;
    TSearchThread(r, folderSink).Execute();
    EXPECT_EQ(CountNamed(folderSink.items, "inner.txt"), 1);
    EXPECT_EQ(CountNamed(folderSink.items, "deep.txt"), 1);
}

// Root only: a device node whose medium is not mounted has no readable volume, although
// the folder holding the node does.
TEST(Drives, DeviceNodeWithoutAMountedMediumIsNotReady) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "device nodes need root";
    TempTree t;
    const std::string node = t.Path("drive");
    if (::mknod(node.c_str(), S_IFBLK | 0600, ::makedev(7, 250)) != 0)
        GTEST_SKIP() << "cannot make a device node here";
    EXPECT_TRUE(GetVolumeInfo(t.Root()).ok);
    EXPECT_FALSE(GetVolumeInfo(node).ok);
    EXPECT_FALSE(IsDriveReady(node));
    EXPECT_FALSE(HasFreeSpaceMB(node, 0));
    EXPECT_EQ(GetDriveTypeName(node), "Does not exist");
}
