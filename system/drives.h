#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Drives are mounted volumes; "the drive of a path" is the volume that holds it.

// "Floppy", "Harddisk", "Network", "CD-ROM", "RAM disk" or "Does not exist".
std::string GetDriveTypeName(const std::string& path);
bool IsFloppyOrHarddisk(const std::string& path);
bool IsDriveReady(const std::string& path);
// Appends the roots of all ready volumes in alphabetical order; does not empty the list.
void BuildDriveList(std::vector<std::string>& driveList);
// Free space of the volume holding path in MiB; -1 bytes' worth when it cannot be queried.
double GetFreeSpaceMB(const std::string& path);
bool HasFreeSpaceMB(const std::string& path, std::int64_t megabytes);

struct VolumeInfo {
    bool ok = false; // false: no readable medium
    std::string label, fileSystem;
    std::uint32_t serial = 0;
};
VolumeInfo GetVolumeInfo(const std::string& path);

// Mount points a walk must never enter (kernel pseudo file systems and the like).
std::vector<std::string> MountPointsNotToEnter();
