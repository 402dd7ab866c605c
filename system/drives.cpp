#include "system/drives.h"

#include <algorithm>
#include <optional>
#include <unistd.h>

#include "platform/paths.h"
#include "platform/volumes.h"

namespace {

constexpr std::int64_t kMiB = 1048576;

// The volume a path names: for a block device node the volume its medium is mounted as,
// otherwise the volume that holds the path.
std::optional<volumes::Volume> VolumeOf(const std::string& path) {
    if (!paths::IsFullPath(path))
        return std::nullopt;
    const auto table = volumes::VolumeTable::Current();
    const volumes::Volume* v = nullptr;
    if (const auto device = volumes::BlockDeviceNumber(path))
        v = table.MountOfDevice(device->first, device->second);
    else
        v = table.Holding(volumes::CanonicalPath(path));
    if (!v)
        return std::nullopt;
    return *v;
}

std::string ChoiceText(const volumes::Volume& v) {
    std::string extra;
    if (v.kind == volumes::VolumeKind::Network)
        extra = v.mount.source;
    else if (const auto details = volumes::Details(v))
        extra = details->label;
    return extra.empty() ? v.mount.mountPoint : v.mount.mountPoint + " [" + extra + "]";
}

} // namespace

std::string GetDriveTypeName(const std::string& path) {
    if (volumes::IsOpticalDevice(path))
        return "CD-ROM";
    const auto v = VolumeOf(path);
    return std::string(volumes::DriveTypeName(v ? v->kind : volumes::VolumeKind::DoesNotExist));
}

bool IsFloppyOrHarddisk(const std::string& path) {
    const std::string t = GetDriveTypeName(path);
    return t == "Floppy" || t == "Harddisk";
}

bool IsDriveReady(const std::string& path) {
    const auto v = VolumeOf(path);
    return v && volumes::IsReady(*v);
}

void BuildDriveList(std::vector<std::string>& driveList) {
    const auto table = volumes::VolumeTable::Current();
    for (const volumes::Volume* v : table.Drives(&volumes::IsReady))
        driveList.push_back(v->mount.mountPoint);
}

std::int64_t GetFreeBytes(const std::string& path) {
    const auto v = VolumeOf(path);
    return v ? volumes::FreeBytes(v->mount.mountPoint) : -1;
}

double GetFreeSpaceMB(const std::string& path) {
    return static_cast<double>(GetFreeBytes(path)) / static_cast<double>(kMiB);
}

bool HasFreeSpace(std::int64_t freeBytes, std::int64_t megabytes) {
    // Whole MiB compared without floating point; a failed query (-1) passes only n < 0.
    if (freeBytes < 0)
        return megabytes < 0;
    return megabytes <= freeBytes / kMiB;
}

bool HasFreeSpaceMB(const std::string& path, std::int64_t megabytes) {
    return HasFreeSpace(GetFreeBytes(path), megabytes);
}

VolumeInfo GetVolumeInfo(const std::string& path) {
    const auto v = VolumeOf(path);
    if (!v)
        return {};
    const auto details = volumes::Details(*v);
    if (!details)
        return {};
    return {true, details->label, details->fileSystem, details->serial};
}

std::vector<std::string> MountPointsNotToEnter() {
    return volumes::VolumeTable::Current().NotToEnter(&volumes::IsReady);
}

std::vector<DriveChoice> PresentDrives() {
    std::vector<DriveChoice> choices;
    const auto table = volumes::VolumeTable::Current();
    for (const volumes::Volume* v : table.Drives(&volumes::IsReady))
        choices.push_back({v->mount.mountPoint, ChoiceText(*v)});
    for (const std::string& device : volumes::OpticalDrives())
        choices.push_back({device, device});
    std::sort(choices.begin(), choices.end(),
              [](const DriveChoice& a, const DriveChoice& b) { return a.drive < b.drive; });
    return choices;
}

std::string CurrentDrive() {
    std::string cwd(4096, '\0');
    if (!::getcwd(cwd.data(), cwd.size()))
        return "/";
    cwd.resize(cwd.find('\0'));
    const auto v = VolumeOf(cwd);
    return v ? v->mount.mountPoint : "/";
}
