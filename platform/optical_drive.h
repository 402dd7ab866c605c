#pragma once
#include <memory>
#include <string>

// The door of one opened optical drive; closing the device happens on destruction.
class OpticalDoor {
  public:
    virtual ~OpticalDoor() = default;
    virtual bool Open() = 0; // true when the door command succeeded
    virtual bool Close() = 0;
};

// Opens optical drives by device node; nothing when the device cannot be opened.
class OpticalDriveLayer {
  public:
    virtual ~OpticalDriveLayer() = default;
    virtual std::unique_ptr<OpticalDoor> OpenDevice(const std::string& device) = 0;
};

// The kernel's optical drive interface (CDROMEJECT, CDROMCLOSETRAY).
class LinuxOpticalDrives : public OpticalDriveLayer {
  public:
    std::unique_ptr<OpticalDoor> OpenDevice(const std::string& device) override;
};
