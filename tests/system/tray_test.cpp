#include <gtest/gtest.h>

#include <map>
#include <set>

#include "support/temp_tree.h"
#include "system/tray.h"

namespace {

// Devices that exist, whose door commands work or fail, and a log of what was sent.
class FakeDrives : public OpticalDriveLayer {
  public:
    std::set<std::string> present;
    std::set<std::string> stuckDoors; // door commands fail here
    std::vector<std::string> log;

    std::unique_ptr<OpticalDoor> OpenDevice(const std::string& device) override {
        if (!present.contains(device))
            return nullptr;
        return std::make_unique<Door>(*this, device);
    }

  private:
    class Door : public OpticalDoor {
      public:
        Door(FakeDrives& drives, std::string device)
            : drives_(drives), device_(std::move(device)) {}
        ~Door() override { drives_.log.push_back("release " + device_); }
        bool Open() override { return Command("open"); }
        bool Close() override { return Command("close"); }

      private:
        bool Command(const std::string& what) {
            drives_.log.push_back(what + " " + device_);
            return !drives_.stuckDoors.contains(device_);
        }
        FakeDrives& drives_;
        std::string device_;
    };
};

std::string FakeType(const std::string& drive) {
    return drive.starts_with("/dev/fake-sr") ? "CD-ROM" : "Harddisk";
}

const std::string kD = "/dev/fake-srd", kE = "/dev/fake-sre";

} // namespace

TEST(Tray, ClicksAlternateBetweenOpeningAndClosing) {
    FakeDrives drives;
    drives.present = {kD};
    CDTray tray(drives, &FakeType);
    EXPECT_FALSE(tray.TrayOpen());
    tray.sbEjectClick(kD);
    EXPECT_TRUE(tray.TrayOpen());
    tray.sbEjectClick(kD);
    EXPECT_FALSE(tray.TrayOpen());
    tray.sbEjectClick(kD); // pushed in by hand meanwhile makes no difference
    EXPECT_TRUE(tray.TrayOpen());
    const std::vector<std::string> expected = {"open " + kD,    "release " + kD, "close " + kD,
                                               "release " + kD, "open " + kD,    "release " + kD};
    EXPECT_EQ(drives.log, expected);
}

TEST(Tray, FailedOpenKeepsTheFlagSoTheNextClickOpensAgain) {
    FakeDrives drives;
    drives.present = {kD};
    drives.stuckDoors = {kD};
    CDTray tray(drives, &FakeType);
    EXPECT_TRUE(tray.OpenCDTray(kD)); // the door command failed
    EXPECT_FALSE(tray.TrayOpen());
    tray.sbEjectClick(kD);
    EXPECT_FALSE(tray.TrayOpen());
    EXPECT_EQ(drives.log, (std::vector<std::string>{"open " + kD, "release " + kD, "open " + kD,
                                                    "release " + kD}));
}

TEST(Tray, FailedCloseStillClearsTheFlag) {
    FakeDrives drives;
    drives.present = {kD};
    CDTray tray(drives, &FakeType);
    EXPECT_FALSE(tray.OpenCDTray(kD));
    drives.stuckDoors = {kD};
    EXPECT_TRUE(tray.CloseCDTray(kD));
    EXPECT_FALSE(tray.TrayOpen());
}

TEST(Tray, DeviceThatCannotBeOpenedChangesNothing) {
    FakeDrives drives;
    drives.present = {kD};
    CDTray tray(drives, &FakeType);
    EXPECT_TRUE(tray.OpenCDTray("/dev/fake-sr-missing"));
    EXPECT_FALSE(tray.TrayOpen());
    tray.OpenCDTray(kD);
    EXPECT_TRUE(tray.CloseCDTray("/dev/fake-sr-missing"));
    EXPECT_TRUE(tray.TrayOpen());
}

TEST(Tray, FlagBelongsToNoDrive) {
    FakeDrives drives;
    drives.present = {kD, kE};
    CDTray tray(drives, &FakeType);
    tray.sbEjectClick(kD);
    tray.sbEjectClick(kE); // the box now names E: E's tray is closed
    EXPECT_FALSE(tray.TrayOpen());
    EXPECT_EQ(drives.log[0], "open " + kD);
    EXPECT_EQ(drives.log[2], "close " + kE);
}

TEST(Tray, ClickOnADriveThatIsNoOpticalDriveDoesNothing) {
    FakeDrives drives;
    drives.present = {"/"};
    CDTray tray(drives, &FakeType);
    tray.sbEjectClick("/");
    EXPECT_TRUE(drives.log.empty());
    EXPECT_FALSE(tray.TrayOpen());
}

TEST(Tray, RealDevicesThatDoNotExistOrAreNoDevicesLeaveTheFlag) {
    TempTree t;
    const std::string file = t.File("not-a-drive", 3);
    LinuxOpticalDrives real;
    EXPECT_EQ(real.OpenDevice(t.Path("no-such-device")), nullptr);
    EXPECT_EQ(real.OpenDevice(file), nullptr);
    EXPECT_EQ(real.OpenDevice(t.Root()), nullptr);
    CDTray tray(real);
    EXPECT_TRUE(tray.OpenCDTray(t.Path("no-such-device")));
    EXPECT_FALSE(tray.TrayOpen());
    tray.sbEjectClick(file); // a file on a disk, not an optical drive
    EXPECT_FALSE(tray.TrayOpen());
}

TEST(Tray, StartupChoiceKeepsAStoredOpticalDriveOrFindsTheFirst) {
    const std::vector<std::string> box = {"/", "/dev/fake-sr0", "/dev/fake-sr1", "/home"};
    EXPECT_EQ(StartupCDDrive("/dev/fake-sr1", box, &FakeType), "/dev/fake-sr1");
    EXPECT_EQ(StartupCDDrive("/home", box, &FakeType), "/dev/fake-sr0");
    EXPECT_EQ(StartupCDDrive("", box, &FakeType), "/dev/fake-sr0");
    EXPECT_EQ(StartupCDDrive("/home", {"/", "/home"}, &FakeType), std::nullopt);
    EXPECT_EQ(FindCDDrive({"/", "/home"}, &FakeType), std::nullopt);
}

TEST(Tray, PictureOfAFolderOnADiskIsTheGreyOne) {
    TempTree t;
    EXPECT_EQ(CheckCDROM(t.Root()), TrayPicture::W1);
    EXPECT_EQ(CheckCDROM("relative"), TrayPicture::W1);
    EXPECT_EQ(OpticalDeviceOf(t.Root()), t.Root()); // no disc mounted there
}
