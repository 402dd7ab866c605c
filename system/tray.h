#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/optical_drive.h"

// Drive type name of a drive, as GetDriveTypeName gives it; replaceable in tests.
using DriveTypeLookup = std::function<std::string(const std::string&)>;

// The CD drive to assume when the settings file names none.
inline constexpr const char* kDefaultCDDrive = "/dev/sr0";

// The tray button's pictures: W1 no readable disc (or no optical drive), W2 a disc.
enum class TrayPicture { W1, W2 };

TrayPicture CheckCDROM(const std::string& drive);
// The first optical drive among the given drives, in their order.
std::optional<std::string> FindCDDrive(const std::vector<std::string>& drives,
                                       const DriveTypeLookup& typeName);
std::optional<std::string> FindCDDrive(const std::vector<std::string>& drives);
// The CD drive at start-up: the stored one when it is an optical drive, else FindCDDrive.
std::optional<std::string> StartupCDDrive(const std::string& stored,
                                          const std::vector<std::string>& drives,
                                          const DriveTypeLookup& typeName);
// The device node door commands go to: the drive itself or the device of a mounted disc.
std::string OpticalDeviceOf(const std::string& drive);

// Opens and closes trays. The open flag remembers the last command that worked, not
// the real state of any tray, so clicks alternate between opening and closing.
class CDTray {
  public:
    explicit CDTray(OpticalDriveLayer& devices, DriveTypeLookup typeName = {});

    // Both return true when the door command failed or the device could not be opened.
    bool OpenCDTray(const std::string& drive);
    bool CloseCDTray(const std::string& drive);
    // The tray button: nothing unless drive is an optical drive.
    void sbEjectClick(const std::string& drive);
    bool TrayOpen() const { return trayOpen_; }

  private:
    OpticalDriveLayer& devices_;
    DriveTypeLookup typeName_;
    bool trayOpen_ = false;
};
