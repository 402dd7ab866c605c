#pragma once
#include <fcntl.h>
#include <linux/fs.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

// A file or folder nobody may change, root included: write bits off, and the immutable flag
// where permissions do not bind. Works() tells whether that took effect here.
class LockedPath {
  public:
    explicit LockedPath(std::string path) : path_(std::move(path)) {
        struct stat st {};
        ::stat(path_.c_str(), &st);
        folder_ = S_ISDIR(st.st_mode);
        mode_ = st.st_mode & 07777;
        ::chmod(path_.c_str(), mode_ & ~0222u);
        if (::geteuid() == 0)
            SetImmutable(true);
        works_ = !Writable();
    }
    ~LockedPath() {
        SetImmutable(false);
        ::chmod(path_.c_str(), mode_);
    }
    LockedPath(const LockedPath&) = delete;
    LockedPath& operator=(const LockedPath&) = delete;
    bool Works() const { return works_; }

  private:
    bool Writable() const {
        const std::string probe = folder_ ? path_ + "/.probe" : path_;
        const int fd =
            ::open(probe.c_str(), folder_ ? O_WRONLY | O_CREAT | O_EXCL : O_WRONLY, 0644);
        if (fd < 0)
            return false;
        ::close(fd);
        if (folder_)
            ::unlink(probe.c_str());
        return true;
    }
    void SetImmutable(bool on) const {
        const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK);
        if (fd < 0)
            return;
        int flags = 0;
        if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        ::close(fd);
    }
    std::string path_;
    bool folder_ = false;
    unsigned mode_ = 0;
    bool works_ = false;
};
