#include "platform/optical_drive.h"

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class LinuxOpticalDoor : public OpticalDoor {
  public:
    explicit LinuxOpticalDoor(int fd) : fd_(fd) {}
    ~LinuxOpticalDoor() override { ::close(fd_); }
    LinuxOpticalDoor(const LinuxOpticalDoor&) = delete;
    LinuxOpticalDoor& operator=(const LinuxOpticalDoor&) = delete;

    bool Open() override { return ::ioctl(fd_, CDROMEJECT, 0) == 0; }
    bool Close() override { return ::ioctl(fd_, CDROMCLOSETRAY, 0) == 0; }

  private:
    int fd_;
};

} // namespace

std::unique_ptr<OpticalDoor> LinuxOpticalDrives::OpenDevice(const std::string& device) {
    // Non-blocking, so an empty drive or an open tray can still be opened.
    const int fd = ::open(device.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISBLK(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<LinuxOpticalDoor>(fd);
}
