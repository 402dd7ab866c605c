#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Volumes are what the program calls drives: mounted file systems, read from the
// mount table. Parsing and classification work on text so that recorded tables
// can be fed in; the Current()/live helpers read the running system.
namespace volumes {

// One line of /proc/self/mountinfo, with the octal escapes (\040 …) undone.
struct MountEntry {
    int id = 0, parentId = 0;
    unsigned major = 0, minor = 0;
    std::string root; // the folder of the file system that is mounted (bind mounts)
    std::string mountPoint;
    std::string fsType;
    std::string source; // device node, share or a free text
};

std::vector<MountEntry> ParseMountInfo(std::string_view text);

// What the block layer says about the device behind a mount.
struct DeviceFacts {
    bool blockDevice = false;
    bool removable = false;
    bool usb = false;
    bool optical = false;
};
using DeviceFactsLookup = std::function<DeviceFacts(const MountEntry&)>;

enum class VolumeKind { DoesNotExist, Floppy, Harddisk, Network, CdRom, RamDisk };

// "Floppy", "Harddisk", "Network", "CD-ROM", "RAM disk" or "Does not exist".
std::string_view DriveTypeName(VolumeKind kind);

bool IsPseudoFileSystem(std::string_view fsType);
VolumeKind Classify(const MountEntry& mount, const DeviceFacts& facts);

struct Volume {
    MountEntry mount;
    VolumeKind kind = VolumeKind::DoesNotExist;
    bool system = false; // a pseudo file system or a mount that belongs to the system
    bool IsDrive() const { return !system && kind != VolumeKind::DoesNotExist; }
};

// The mounts that can be seen (none hidden by a mount on top of it), classified.
class VolumeTable {
  public:
    static VolumeTable Build(std::string_view mountInfo, const DeviceFactsLookup& facts);
    static VolumeTable Current();

    // Results point into the table: never ask a temporary.
    const std::vector<Volume>& All() const& { return volumes_; }
    const std::vector<Volume>& All() && = delete;
    // The volume that holds a canonical absolute path (longest mount-point prefix).
    const Volume* Holding(std::string_view path) const&;
    const Volume* Holding(std::string_view path) && = delete;
    // The visible mount of a device node (e.g. an optical drive's medium), if any.
    const Volume* MountOfDevice(unsigned major, unsigned minor) const&;
    const Volume* MountOfDevice(unsigned major, unsigned minor) && = delete;

    using ReadyTest = std::function<bool(const Volume&)>;
    // Ready drives in alphabetical order of their mount points, one per device.
    std::vector<const Volume*> Drives(const ReadyTest& ready) const&;
    std::vector<const Volume*> Drives(const ReadyTest& ready) && = delete;
    // Mount points a walk must not enter: pseudo and system mounts, and every further
    // mount of a device that Drives() already lists, so nothing is walked twice.
    std::vector<std::string> NotToEnter(const ReadyTest& ready) const;

  private:
    std::vector<Volume> volumes_;
};

// --- the running system ---

// The absolute path with symbolic links, "." and ".." resolved as far as it exists;
// empty for a relative path.
std::string CanonicalPath(const std::string& path);
DeviceFacts LookUpDeviceFacts(const MountEntry& mount);
// A volume is ready when its root is a folder whose size can be queried.
bool IsReady(const Volume& volume);
// Free bytes available to the user on the volume mounted at mountPoint; -1 on failure.
std::int64_t FreeBytes(const std::string& mountPoint);

struct VolumeDetails {
    std::string label, fileSystem;
    std::uint32_t serial = 0;
};
std::optional<VolumeDetails> Details(const Volume& volume);

// Device nodes of the optical drives (/dev/sr0 …), sorted.
std::vector<std::string> OpticalDrives();
// The device number of a block device node; nothing for any other path.
std::optional<std::pair<unsigned, unsigned>> BlockDeviceNumber(const std::string& path);
bool IsOpticalDevice(const std::string& path);

} // namespace volumes
