#include "system/tray.h"

#include "platform/volumes.h"
#include "system/drives.h"

namespace {
constexpr const char* kCdRom = "CD-ROM";
}

TrayPicture CheckCDROM(const std::string& drive) {
    if (GetDriveTypeName(drive) != kCdRom)
        return TrayPicture::W1;
    return GetVolumeInfo(drive).ok ? TrayPicture::W2 : TrayPicture::W1;
}

std::optional<std::string> FindCDDrive(const std::vector<std::string>& drives,
                                       const DriveTypeLookup& typeName) {
    for (const std::string& d : drives)
        if (typeName(d) == kCdRom)
            return d;
    return std::nullopt;
}

std::optional<std::string> FindCDDrive(const std::vector<std::string>& drives) {
    return FindCDDrive(drives, &GetDriveTypeName);
}

std::optional<std::string> StartupCDDrive(const std::string& stored,
                                          const std::vector<std::string>& drives,
                                          const DriveTypeLookup& typeName) {
    if (!stored.empty() && typeName(stored) == kCdRom)
        return stored;
    return FindCDDrive(drives, typeName);
}

std::string OpticalDeviceOf(const std::string& drive) {
    if (volumes::BlockDeviceNumber(drive) || drive.empty() || drive[0] != '/')
        return drive;
    const auto table = volumes::VolumeTable::Current();
    const volumes::Volume* v = table.Holding(volumes::CanonicalPath(drive));
    if (v && v->kind == volumes::VolumeKind::CdRom && volumes::BlockDeviceNumber(v->mount.source))
        return v->mount.source;
    return drive;
}

CDTray::CDTray(OpticalDriveLayer& devices, DriveTypeLookup typeName)
    : devices_(devices), typeName_(typeName ? std::move(typeName) : &GetDriveTypeName) {}

bool CDTray::OpenCDTray(const std::string& drive) {
    const auto door = devices_.OpenDevice(OpticalDeviceOf(drive));
    if (!door)
        return true;
    if (!door->Open())
        return true;
    trayOpen_ = true;
    return false;
}

bool CDTray::CloseCDTray(const std::string& drive) {
    bool failed = true;
    {
        const auto door = devices_.OpenDevice(OpticalDeviceOf(drive));
        if (!door)
            return true;
        failed = !door->Close();
    }
    trayOpen_ = false; // even when the door did not move
    return failed;
}

void CDTray::sbEjectClick(const std::string& drive) {
    if (typeName_(drive) != kCdRom)
        return;
    if (trayOpen_)
        CloseCDTray(drive);
    else
        OpenCDTray(drive);
}
