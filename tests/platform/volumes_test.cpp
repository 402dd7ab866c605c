#include <gtest/gtest.h>

#include <algorithm>

#include "platform/volumes.h"

using volumes::DeviceFacts;
using volumes::MountEntry;
using volumes::Volume;
using volumes::VolumeTable;

namespace {

// A desktop with a USB stick, a DVD, network shares, a bind mount twice and the usual
// kernel file systems; /dev/pts, /dev/shm and /boot/efi are mounted over once more.
constexpr std::string_view kDesktop =
    "21 1 254:1 / / rw,relatime shared:1 - ext4 /dev/vda1 rw\n"
    "22 21 0:20 / /proc rw,nosuid shared:12 - proc proc rw\n"
    "23 21 0:21 / /sys rw,nosuid shared:2 - sysfs sysfs rw\n"
    "24 23 0:27 / /sys/fs/cgroup rw shared:4 - cgroup2 cgroup2 rw\n"
    "25 24 0:28 / /sys/fs/cgroup/cpu rw - cgroup cgroup rw,cpu\n"
    "26 21 0:6 / /dev rw shared:3 - devtmpfs udev rw,size=8000k\n"
    "27 26 0:22 / /dev/shm rw - tmpfs tmpfs rw\n"
    "28 26 0:23 / /dev/pts rw - devpts devpts rw\n"
    "29 28 0:33 / /dev/pts rw - devpts devpts rw\n"
    "30 27 0:34 / /dev/shm rw - tmpfs tmpfs rw\n"
    "31 21 0:24 / /run rw,nosuid shared:5 - tmpfs tmpfs rw,mode=755\n"
    "32 31 0:25 / /run/user/1000 rw - tmpfs tmpfs rw\n"
    "33 21 0:26 / /tmp rw shared:6 - tmpfs tmpfs rw\n"
    "34 21 8:17 / /media/anna/USB\\040STICK rw - vfat /dev/sdb1 rw\n"
    "35 21 11:0 / /media/anna/DVD_VIDEO ro - udf /dev/sr0 ro\n"
    "36 21 0:40 / /net/nas rw - nfs4 nas:/export rw\n"
    "37 21 0:41 / /mnt/share rw - cifs //server/share rw\n"
    "38 21 254:1 /srv/data /mnt/a rw - ext4 /dev/vda1 rw\n"
    "39 21 254:1 /srv/data /mnt/b rw - ext4 /dev/vda1 rw\n"
    "40 21 8:2 / /home rw - ext4 /dev/sda2 rw\n"
    "41 21 0:50 / /boot/efi rw - autofs systemd-1 rw,fd=50\n"
    "42 41 8:1 / /boot/efi rw - vfat /dev/sda1 rw\n"
    "43 21 7:3 / /snap/core/1 ro - squashfs /dev/loop3 ro\n"
    "44 31 0:60 / /run/user/1000/gvfs rw - fuse.gvfsd-fuse gvfsd-fuse rw\n";

DeviceFacts Facts(const MountEntry& m) {
    DeviceFacts f;
    f.blockDevice = m.major != 0;
    f.removable = m.major == 8 && m.minor == 17;
    f.usb = f.removable;
    f.optical = m.major == 11;
    return f;
}

VolumeTable Desktop() {
    return VolumeTable::Build(kDesktop, &Facts);
}

bool AllReady(const Volume&) {
    return true;
}

std::vector<std::string> Roots(const std::vector<const Volume*>& drives) {
    std::vector<std::string> roots;
    for (const Volume* v : drives)
        roots.push_back(v->mount.mountPoint);
    return roots;
}

std::string TypeAt(const VolumeTable& table, std::string_view path) {
    const Volume* v = table.Holding(path);
    return v ? std::string(volumes::DriveTypeName(v->kind)) : "(none)";
}

} // namespace

TEST(Volumes, ParsesFieldsEscapesAndOptionalTags) {
    const auto mounts = volumes::ParseMountInfo(
        "34 21 8:17 / /media/anna/USB\\040STICK rw shared:7 master:2 - vfat /dev/sdb1 rw\n"
        "garbage line\n"
        "\n"
        "35 21 254:1 /srv/a\\134b /mnt/tab\\011x rw - ext4 /dev/vda1 rw");
    ASSERT_EQ(mounts.size(), 2u);
    EXPECT_EQ(mounts[0].id, 34);
    EXPECT_EQ(mounts[0].parentId, 21);
    EXPECT_EQ(mounts[0].major, 8u);
    EXPECT_EQ(mounts[0].minor, 17u);
    EXPECT_EQ(mounts[0].mountPoint, "/media/anna/USB STICK");
    EXPECT_EQ(mounts[0].fsType, "vfat");
    EXPECT_EQ(mounts[0].source, "/dev/sdb1");
    EXPECT_EQ(mounts[1].root, "/srv/a\\b");
    EXPECT_EQ(mounts[1].mountPoint, "/mnt/tab\tx");
}

TEST(Volumes, ClassifiesEachKindOfMount) {
    const VolumeTable t = Desktop();
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"/", "Harddisk"},
        {"/home/anna", "Harddisk"},
        {"/boot/efi", "Harddisk"}, // the vfat on top, not the automount point below it
        {"/media/anna/USB STICK/a.txt", "Floppy"},
        {"/media/anna/DVD_VIDEO", "CD-ROM"},
        {"/tmp/x", "RAM disk"},
        {"/run", "RAM disk"},
        {"/net/nas/backup", "Network"},
        {"/mnt/share", "Network"},
        {"/mnt/a/file", "Harddisk"},
        {"/proc/1", "Does not exist"},
        {"/sys/fs/cgroup/cpu", "Does not exist"},
        {"/dev/pts/0", "Does not exist"},
        {"/snap/core/1", "Does not exist"},
    };
    for (const auto& [path, type] : cases)
        EXPECT_EQ(TypeAt(t, path), type) << path;
}

TEST(Volumes, HoldingVolumeEndsAtWholeFolderNames) {
    const VolumeTable t = Desktop();
    EXPECT_EQ(t.Holding("/media/anna/USB STICKER")->mount.mountPoint, "/");
    EXPECT_EQ(t.Holding("/tmpfile")->mount.mountPoint, "/");
    EXPECT_EQ(t.Holding("/tmp")->mount.mountPoint, "/tmp");
    EXPECT_EQ(t.Holding("/run/user/1000/x")->mount.mountPoint, "/run/user/1000");
    EXPECT_EQ(t.Holding("relative"), nullptr);
}

TEST(Volumes, OpticalDevicesAndImagesAreCdRom) {
    MountEntry dataDisc{1, 0, 11, 0, "/", "/media/cd", "ext2", "/dev/sr0"};
    EXPECT_EQ(volumes::Classify(dataDisc, Facts(dataDisc)), volumes::VolumeKind::CdRom);
    MountEntry image{2, 0, 7, 0, "/", "/mnt/iso", "iso9660", "/dev/loop0"};
    EXPECT_EQ(volumes::Classify(image, Facts(image)), volumes::VolumeKind::CdRom);
}

// File systems that hold files of their own are drives, whatever they are called.
TEST(Volumes, EveryLocalFileSystemIsAHarddiskOrFloppy) {
    const VolumeTable t = VolumeTable::Build(
        "1 0 0:30 / / rw - zfs rpool/ROOT/debian rw\n"
        "2 1 0:31 / /home/anna rw - ecryptfs /home/.ecryptfs/anna/.Private rw\n"
        "3 1 0:32 / /mnt/host rw - virtiofs hostshare rw\n"
        "4 1 0:33 / /srv/pool rw - fuse.mergerfs disk1:disk2 rw\n"
        "5 1 0:34 / /home/anna/Tresor rw - fuse.gocryptfs /home/anna/.tresor rw\n"
        "6 1 8:17 / /media/anna/WINDOWS rw - fuseblk /dev/sdb1 rw\n"
        "7 1 0:36 / /mnt/remote rw - fuse.sshfs anna@host: rw\n"
        "8 1 0:37 / /var/lib/docker/overlay2/m rw - overlay overlay rw\n"
        "9 1 0:38 / /mnt/odd rw - fuse.something odd rw\n"
        "10 1 0:39 / /proc rw - proc proc rw\n"
        "11 1 0:40 / /proc/fs/nfsd rw - nfsd nfsd rw\n",
        &Facts);
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"/etc", "Harddisk"},
        {"/home/anna/x", "Harddisk"},
        {"/mnt/host", "Harddisk"},
        {"/srv/pool/a", "Harddisk"},
        {"/home/anna/Tresor/b", "Harddisk"},
        {"/media/anna/WINDOWS", "Floppy"}, // on a removable USB disk
        {"/mnt/remote", "Network"},
        {"/var/lib/docker/overlay2/m", "Harddisk"},
        {"/mnt/odd", "Harddisk"},
        {"/proc/1", "Does not exist"},
        {"/proc/fs/nfsd", "Does not exist"},
    };
    for (const auto& [path, type] : cases)
        EXPECT_EQ(TypeAt(t, path), type) << path;
    const std::vector<std::string> drives = Roots(t.Drives(&AllReady));
    for (const char* root : {"/home/anna", "/mnt/host", "/srv/pool", "/home/anna/Tresor"})
        EXPECT_EQ(std::count(drives.begin(), drives.end(), root), 1) << root;
}

TEST(Volumes, DriveListHasEveryRealVolumeOnceInAlphabeticalOrder) {
    const VolumeTable t = Desktop();
    const std::vector<std::string> expected = {
        "/",          "/boot/efi", "/home", "/media/anna/DVD_VIDEO", "/media/anna/USB STICK",
        "/mnt/share", "/net/nas",  "/tmp"};
    EXPECT_EQ(Roots(t.Drives(&AllReady)), expected);
}

TEST(Volumes, DriveListLeavesOutVolumesThatAreNotReady) {
    const VolumeTable t = Desktop();
    const auto drives = Roots(t.Drives([](const Volume& v) {
        return v.mount.mountPoint != "/media/anna/DVD_VIDEO" && v.mount.mountPoint != "/";
    }));
    EXPECT_EQ(std::count(drives.begin(), drives.end(), "/media/anna/DVD_VIDEO"), 0);
    // With the root gone, one of the two bind mounts of its device stands in for it.
    EXPECT_EQ(std::count(drives.begin(), drives.end(), "/mnt/a"), 1);
    EXPECT_EQ(std::count(drives.begin(), drives.end(), "/mnt/b"), 0);
}

TEST(Volumes, SameDeviceTwiceIsOneDriveAndTheOtherMountIsNotEntered) {
    const VolumeTable t = VolumeTable::Build("1 0 254:1 / / rw - ext4 /dev/vda1 rw\n"
                                             "2 1 8:33 / /srv/stick rw - vfat /dev/sdc1 rw\n"
                                             "3 1 8:33 / /media/stick rw - vfat /dev/sdc1 rw\n",
                                             &Facts);
    EXPECT_EQ(Roots(t.Drives(&AllReady)), (std::vector<std::string>{"/", "/srv/stick"}));
    EXPECT_EQ(t.NotToEnter(&AllReady), std::vector<std::string>{"/media/stick"});
}

TEST(Volumes, WalksStayOutOfPseudoAndSystemMountsAndDuplicates) {
    const auto skip = Desktop().NotToEnter(&AllReady);
    const auto has = [&](std::string_view p) {
        return std::find(skip.begin(), skip.end(), p) != skip.end();
    };
    for (const char* p :
         {"/proc", "/sys", "/sys/fs/cgroup", "/sys/fs/cgroup/cpu", "/dev", "/dev/shm", "/dev/pts",
          "/run", "/run/user/1000", "/snap/core/1", "/run/user/1000/gvfs", "/mnt/a", "/mnt/b"})
        EXPECT_TRUE(has(p)) << p;
    for (const char* p : {"/", "/tmp", "/home", "/boot/efi", "/net/nas", "/mnt/share",
                          "/media/anna/USB STICK", "/media/anna/DVD_VIDEO"})
        EXPECT_FALSE(has(p)) << p;
}

TEST(Volumes, MountOfDeviceFindsTheDiscOfAnOpticalDrive) {
    const VolumeTable t = Desktop();
    ASSERT_NE(t.MountOfDevice(11, 0), nullptr);
    EXPECT_EQ(t.MountOfDevice(11, 0)->mount.mountPoint, "/media/anna/DVD_VIDEO");
    EXPECT_EQ(t.MountOfDevice(11, 1), nullptr);
    EXPECT_EQ(t.MountOfDevice(254, 1)->mount.mountPoint, "/"); // not one of the bind mounts
}

TEST(Volumes, CanonicalPathResolvesWhatExistsAndKeepsTheRest) {
    EXPECT_EQ(volumes::CanonicalPath("relative/path"), "");
    EXPECT_EQ(volumes::CanonicalPath(""), "");
    EXPECT_EQ(volumes::CanonicalPath("/"), "/");
    EXPECT_EQ(volumes::CanonicalPath("/proc/../proc/./self/no/such/../file"),
              volumes::CanonicalPath("/proc/self") + "/no/file");
}
