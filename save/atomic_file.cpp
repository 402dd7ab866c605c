#include "save/atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A link is replaced at the file it points to, not turned into a file itself.
std::string ResolveLink(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

// Tries hidden names beside the target until make(name) no longer fails for an existing name.
template <typename Make> int WithFreeName(const std::string& folder, std::string& name, Make make) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
        name = folder + (folder == "/" ? "" : "/") + ".pathquill-" + suffix + ".tmp";
        const int result = make(name);
        if (result >= 0 || errno != EEXIST)
            return result;
    }
    return -1;
}

int CreateTemporary(const std::string& folder, std::string& name) {
    // 0666 lets the umask decide, as for any new file.
    return WithFreeName(folder, name, [](const std::string& n) {
        return open(n.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    });
}

// An unnamed file in the folder; it is given a name through /proc once it is complete.
int CreateUnnamed(const std::string& folder) {
    if (access("/proc/self/fd", X_OK) != 0) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
}

// The file systems and kernels that cannot make unnamed files say so in one of these ways.
bool UnnamedUnsupported(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL || error == ENOENT;
}

// Owner and group as before where allowed (root, or a group the user belongs to); the mode
// last, since a change of owner clears the set-id bits.
bool TakeOver(int fd, const struct stat& old) {
    if (fchown(fd, old.st_uid, old.st_gid) != 0 &&
        fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
        // Neither is allowed: the new file is the user's own, as any file the user makes.
    }
    return fchmod(fd, old.st_mode & 07777) == 0;
}

} // namespace

AtomicFile::AtomicFile(const std::string& path, Temporary temporary) : target_(ResolveLink(path)) {
    struct stat old {};
    const bool exists = stat(target_.c_str(), &old) == 0;
    if (exists && (!S_ISREG(old.st_mode) || access(target_.c_str(), W_OK) != 0))
        return;
    if (exists && old.st_nlink > 1) {
        OpenInPlace();
        return;
    }
    const std::string folder = FolderOf(target_);
    if (temporary == Temporary::UnnamedWherePossible) {
        fd_ = CreateUnnamed(folder);
        unnamed_ = fd_ >= 0;
    }
    if (fd_ < 0 && (temporary == Temporary::Named || UnnamedUnsupported(errno)))
        fd_ = CreateTemporary(folder, temp_);
    // Only a folder closed to new files is a reason to write in place; a full disk is not.
    if (fd_ < 0 && exists && (errno == EACCES || errno == EPERM)) {
        temp_.clear();
        OpenInPlace();
        return;
    }
    if (fd_ >= 0 && exists && !TakeOver(fd_, old))
        Discard();
}

bool AtomicFile::OpenInPlace() {
    // Not truncated before the first write, so a refusal up to then changes nothing.
    fd_ = open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
    inPlace_ = fd_ >= 0;
    return inPlace_;
}

AtomicFile::~AtomicFile() {
    Discard();
}

bool AtomicFile::Write(std::string_view bytes) {
    if (inPlace_ && !truncated_ && fd_ >= 0 && !failed_) {
        failed_ = ftruncate(fd_, 0) != 0;
        truncated_ = true;
    }
    while (fd_ >= 0 && !failed_ && !bytes.empty()) {
        const ssize_t n = write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            failed_ = true;
        else
            bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    if (failed_ && !inPlace_)
        Discard(); // a full disk gets its space back at once
    return fd_ >= 0 && !failed_;
}

bool AtomicFile::Commit() {
    if (inPlace_ && fd_ >= 0 && !truncated_)
        Write({});
    if (fd_ < 0 || failed_)
        return false;
    if (inPlace_) {
        const bool flushed = fsync(fd_) == 0;
        const bool closed = close(fd_) == 0;
        fd_ = -1;
        return flushed && closed;
    }
    return CommitReplacement();
}

// Named only now that it is complete, then renamed over the target; killed in between, the
// complete new file is what stays behind.
bool AtomicFile::CommitReplacement() {
    bool done = fsync(fd_) == 0;
    if (done && unnamed_) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        done = WithFreeName(FolderOf(target_), temp_, [&](const std::string& name) {
                   return linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
               }) == 0;
        if (!done)
            temp_.clear();
    }
    done = close(fd_) == 0 && done;
    fd_ = -1;
    done = done && std::rename(temp_.c_str(), target_.c_str()) == 0;
    if (!done && !temp_.empty())
        unlink(temp_.c_str());
    temp_.clear();
    return done;
}

void AtomicFile::Discard() {
    if (fd_ >= 0)
        close(fd_);
    fd_ = -1;
    if (!temp_.empty())
        unlink(temp_.c_str());
    temp_.clear();
}
