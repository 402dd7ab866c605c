#include "platform/settings_location.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/paths.h"
#include "platform/program_file.h"

namespace {

constexpr const char* kFileName = "Pathquill.ini";

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

// Closes the descriptor on every way out.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

SettingsEnvironment CurrentSettingsEnvironment() {
    return {ProgramFolder(), Env("XDG_CONFIG_HOME"), Env("HOME"), ::geteuid()};
}

bool IsWritableFolder(const std::string& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool MayCreateFolderOf(const std::string& path) {
    std::string folder = path;
    for (;;) {
        const std::size_t slash = folder.rfind(paths::kSeparator);
        if (slash == std::string::npos)
            return false;
        folder.erase(slash == 0 ? 1 : slash);
        struct stat st {};
        if (::stat(folder.c_str(), &st) == 0)
            return S_ISDIR(st.st_mode) && IsWritableFolder(folder);
        if (folder == "/")
            return false;
    }
}

namespace {
// A read-only file of the user's own is written all the same: its write bit is added first.
bool IsOwnWritableFile(const std::string& path, unsigned user) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != user)
        return false;
    return ::access(path.c_str(), W_OK) == 0 || (errno == EACCES && !(st.st_mode & S_IWUSR));
}
} // namespace

SettingsLocation SettingsFileLocation(const SettingsEnvironment& env) {
    const std::string beside = env.programFolder + kFileName;
    if (IsOwnWritableFile(beside, env.user))
        return {beside, true};
    std::string config;
    if (paths::IsFullPath(env.xdgConfigHome))
        config = env.xdgConfigHome;
    else if (paths::IsFullPath(env.home))
        config = paths::Join(env.home, ".config");
    else
        return {};
    return {paths::Join(paths::Join(config, "pathquill"), kFileName), false};
}

std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t maxBytes) {
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    struct stat st {};
    if (file.fd < 0 || ::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::size_t>(st.st_size) > maxBytes)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || bytes.size() + static_cast<std::size_t>(n) > maxBytes)
            return std::nullopt;
        if (n == 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

bool ClearReadOnly(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    return (st.st_mode & S_IWUSR) || ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR) == 0;
}

bool MakeFolderOf(const std::string& path) {
    const std::size_t slash = path.rfind(paths::kSeparator);
    if (slash == std::string::npos || slash == 0)
        return true;
    const std::string folder = path.substr(0, slash);
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    if (!MakeFolderOf(folder))
        return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}
