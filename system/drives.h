#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Drives are mounted volumes; "the drive of a path" is the volume that holds it.
// Relative paths name no drive.

// "Floppy", "Harddisk", "Network", "CD-ROM", "RAM disk" or "Does not exist".
// An optical drive's device node (/dev/sr0) is "CD-ROM" with or without a medium.
std::string GetDriveTypeName(const std::string& path);
bool IsFloppyOrHarddisk(const std::string& path);
bool IsDriveReady(const std::string& path);
// Appends the roots of all ready volumes in alphabetical order; does not empty the list.
void BuildDriveList(std::vector<std::string>& driveList);
// Free space of the volume holding path in MiB; -1 bytes' worth when it cannot be queried.
double GetFreeSpaceMB(const std::string& path);
bool HasFreeSpaceMB(const std::string& path, std::int64_t megabytes);
// Free bytes available to the user on the volume holding path; -1 when it cannot be queried.
std::int64_t GetFreeBytes(const std::string& path);
// The comparison behind HasFreeSpaceMB: at least megabytes MiB in freeBytes.
bool HasFreeSpace(std::int64_t freeBytes, std::int64_t megabytes);

struct VolumeInfo {
    bool ok = false; // false: no readable medium
    std::string label, fileSystem;
    std::uint32_t serial = 0;
};
VolumeInfo GetVolumeInfo(const std::string& path);

// Mount points a walk must never enter: kernel pseudo file systems, system RAM disks,
// and further mounts of a device whose files another drive already shows.
std::vector<std::string> MountPointsNotToEnter();

// What the CD drive box offers: the drives and the optical drives, alphabetically.
struct DriveChoice {
    std::string drive; // a volume root or an optical drive's device node
    std::string text;  // with the label or the network share
};
std::vector<DriveChoice> PresentDrives();
// The volume root of the current folder.
std::string CurrentDrive();
