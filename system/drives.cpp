#include "system/drives.h"

#include <sys/statvfs.h>

// First, minimal volume model: one drive, the root file system.

std::string GetDriveTypeName(const std::string& path) {
    struct statvfs v {};
    return statvfs(path.c_str(), &v) == 0 ? "Harddisk" : "Does not exist";
}

bool IsFloppyOrHarddisk(const std::string& path) {
    const std::string t = GetDriveTypeName(path);
    return t == "Floppy" || t == "Harddisk";
}

bool IsDriveReady(const std::string& path) { return GetVolumeInfo(path).ok; }

void BuildDriveList(std::vector<std::string>& driveList) { driveList.push_back("/"); }

double GetFreeSpaceMB(const std::string& path) {
    struct statvfs v {};
    if (statvfs(path.c_str(), &v) != 0) return -1.0 / 1048576.0;
    return static_cast<double>(v.f_bavail) * static_cast<double>(v.f_frsize) / 1048576.0;
}

bool HasFreeSpaceMB(const std::string& path, std::int64_t megabytes) {
    return static_cast<double>(megabytes) <= GetFreeSpaceMB(path);
}

VolumeInfo GetVolumeInfo(const std::string& path) {
    // The nearest existing ancestor stands for a folder that does not exist (yet).
    std::string p = path.empty() ? "/" : path;
    struct statvfs v {};
    while (statvfs(p.c_str(), &v) != 0) {
        const auto slash = p.find_last_of('/', p.size() > 1 ? p.size() - 2 : 0);
        if (slash == std::string::npos || p == "/") return {};
        p = slash == 0 ? "/" : p.substr(0, slash);
    }
    return {true, {}, {}, static_cast<std::uint32_t>(v.f_fsid)};
}

std::vector<std::string> MountPointsNotToEnter() { return {"/proc", "/sys", "/dev"}; }
