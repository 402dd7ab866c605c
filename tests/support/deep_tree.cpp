#include "support/deep_tree.h"

#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

struct Names {
    std::vector<std::string> folders, others;
};

Names ReadNames(int fd) {
    Names names;
    DIR* d = ::fdopendir(::dup(fd));
    if (!d)
        return names;
    while (const dirent* e = ::readdir(d)) {
        const std::string_view n = e->d_name;
        if (n == "." || n == "..")
            continue;
        struct stat st {};
        if (::fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode))
            names.folders.emplace_back(n);
        else
            names.others.emplace_back(n);
    }
    ::closedir(d);
    return names;
}

} // namespace

bool MakeFolderChain(const std::string& below, int depth, const std::string& folderName,
                     const std::string& fileName) {
    int fd = ::open(below.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int i = 0; i < depth && fd >= 0; ++i) {
        int next = -1;
        if (::mkdirat(fd, folderName.c_str(), 0755) == 0)
            next = ::openat(fd, folderName.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = next;
        if (fd >= 0 && !fileName.empty()) {
            const int file = ::openat(fd, fileName.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
            if (file < 0 || ::write(file, "x", 1) != 1) {
                ::close(fd);
                fd = -1;
            }
            if (file >= 0)
                ::close(file);
        }
    }
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

void EmptyFolderOfAnyDepth(const std::string& folder) {
    const int top = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (top < 0)
        return;
    int moved = 0;
    for (Names level = ReadNames(top); !level.folders.empty() || !level.others.empty();) {
        for (const std::string& n : level.others)
            ::unlinkat(top, n.c_str(), 0);
        for (const std::string& n : level.folders) {
            ::fchmodat(top, n.c_str(), 0755, 0);
            const int fd = ::openat(top, n.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (fd >= 0) {
                const Names inside = ReadNames(fd);
                for (const std::string& o : inside.others)
                    ::unlinkat(fd, o.c_str(), 0);
                for (const std::string& f : inside.folders) {
                    const std::string up = ".moved-" + std::to_string(moved++);
                    ::renameat(fd, f.c_str(), top, up.c_str());
                }
                ::close(fd);
            }
            ::unlinkat(top, n.c_str(), AT_REMOVEDIR);
        }
        Names next = ReadNames(top);
        if (next.folders == level.folders && next.others == level.others)
            break; // stuck
        level = std::move(next);
    }
    ::close(top);
}
