#include "platform/folders.h"

#include <QFile>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/paths.h"

namespace folders {
namespace {

struct DirCloser {
    void operator()(DIR* d) const { ::closedir(d); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

bool IsDot(const char* n) {
    return n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0));
}

// Whether the entry is a folder, and whether it is one only through a symbolic link.
bool EntryIsFolder(int dirFd, const dirent& e, bool& link) {
    link = e.d_type == DT_LNK;
    if (e.d_type == DT_DIR)
        return true;
    if (e.d_type != DT_LNK && e.d_type != DT_UNKNOWN)
        return false;
    struct stat st {};
    if (e.d_type == DT_UNKNOWN) {
        if (::fstatat(dirFd, e.d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            return false;
        if (S_ISDIR(st.st_mode))
            return true;
        if (!S_ISLNK(st.st_mode))
            return false;
        link = true;
    }
    return ::fstatat(dirFd, e.d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
}

// Looks at the first entries only, so a huge folder of files costs little.
bool MayHaveSubfolders(int parentFd, const char* name) {
    constexpr int kEntriesLooked = 256;
    const int fd = ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    DirHandle dir(::fdopendir(fd));
    if (!dir) {
        ::close(fd);
        return false;
    }
    for (int seen = 0; seen < kEntriesLooked; ++seen) {
        const dirent* e = ::readdir(dir.get());
        if (!e)
            return false;
        bool link = false;
        if (!IsDot(e->d_name) && EntryIsFolder(::dirfd(dir.get()), *e, link))
            return true;
    }
    return true;
}

} // namespace

std::optional<std::vector<SubFolder>> ReadSubfolders(const std::string& path, bool probe) {
    DirHandle dir(::opendir(path.c_str()));
    if (!dir)
        return std::nullopt;
    const int fd = ::dirfd(dir.get());
    std::vector<SubFolder> found;
    while (const dirent* e = ::readdir(dir.get())) {
        bool link = false;
        if (IsDot(e->d_name) || !EntryIsFolder(fd, *e, link))
            continue;
        found.push_back({e->d_name, link, !probe || MayHaveSubfolders(fd, e->d_name)});
    }
    return found;
}

bool MayHaveSubfolders(const std::string& folder) {
    return MayHaveSubfolders(AT_FDCWD, folder.c_str());
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsLink(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool CreateFolderPath(const std::string& path) {
    if (IsFolder(path))
        return true;
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0777);
    ::mkdir(path.c_str(), 0777);
    return IsFolder(path);
}

RenameResult RenameFolder(const std::string& folder, const std::string& newPath) {
    int done = ::renameat2(AT_FDCWD, folder.c_str(), AT_FDCWD, newPath.c_str(), RENAME_NOREPLACE);
    if (done != 0 && errno == EINVAL) {
        // A file system without the no-replace flag: never let rename() drop an empty folder.
        struct stat st {};
        if (::lstat(newPath.c_str(), &st) == 0)
            return RenameResult::Exists;
        done = ::rename(folder.c_str(), newPath.c_str());
    }
    if (done == 0)
        return RenameResult::Done;
    switch (errno) {
    case EEXIST:
    case ENOTEMPTY:
        return RenameResult::Exists;
    case EACCES:
    case EPERM:
    case EROFS:
        return RenameResult::Denied;
    default:
        return RenameResult::Failed;
    }
}

bool MoveToTrash(const std::string& folder) {
    return QFile::moveToTrash(QFile::decodeName(QByteArray::fromStdString(folder)));
}

} // namespace folders
