#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <sstream>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

#include "platform/volumes.h"

namespace fs = std::filesystem;

namespace volumes {
namespace {

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<std::string> RealPath(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    if (!resolved)
        return std::nullopt;
    return std::string(resolved.get());
}

// The disk (not the partition) a block device belongs to, as a sysfs folder.
std::optional<fs::path> SysfsDisk(unsigned major, unsigned minor, fs::path* device = nullptr) {
    const auto real =
        RealPath("/sys/dev/block/" + std::to_string(major) + ":" + std::to_string(minor));
    if (!real)
        return std::nullopt;
    const fs::path dev(*real);
    if (device)
        *device = dev;
    std::error_code ec;
    return fs::exists(dev / "partition", ec) ? dev.parent_path() : dev;
}

DeviceFacts FactsOfDevice(unsigned major, unsigned minor) {
    fs::path device;
    const auto disk = SysfsDisk(major, minor, &device);
    if (!disk)
        return {};
    DeviceFacts facts;
    facts.blockDevice = true;
    facts.removable = ReadWhole((*disk / "removable").string()).starts_with('1');
    facts.usb = device.string().find("/usb") != std::string::npos;
    facts.optical = disk->filename().string().starts_with("sr");
    return facts;
}

// Label links are named with \xHH escapes for blanks and other special bytes.
std::string DecodeLabel(const std::string& name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name.compare(i, 2, "\\x") == 0 && i + 3 < name.size() &&
            std::isxdigit(static_cast<unsigned char>(name[i + 2])) &&
            std::isxdigit(static_cast<unsigned char>(name[i + 3]))) {
            out.push_back(static_cast<char>(std::stoi(name.substr(i + 2, 2), nullptr, 16)));
            i += 3;
        } else {
            out.push_back(name[i]);
        }
    }
    return out;
}

std::string LabelOf(const std::string& source) {
    if (!source.starts_with("/dev/"))
        return {};
    const auto device = RealPath(source);
    if (!device)
        return {};
    std::error_code ec;
    for (const auto& link : fs::directory_iterator("/dev/disk/by-label", ec))
        if (RealPath(link.path().string()) == device)
            return DecodeLabel(link.path().filename());
    return {};
}

// Applies the part of a path that does not exist yet to a resolved folder.
std::string AppendLexically(std::string base, const std::vector<std::string>& rest) {
    for (auto it = rest.rbegin(); it != rest.rend(); ++it) {
        if (it->empty() || *it == ".")
            continue;
        if (*it == "..") {
            const auto slash = base.find_last_of('/');
            base.erase(slash == 0 ? 1 : slash);
            continue;
        }
        if (base.back() != '/')
            base.push_back('/');
        base += *it;
    }
    return base;
}

} // namespace

VolumeTable VolumeTable::Current() {
    return Build(ReadWhole("/proc/self/mountinfo"), &LookUpDeviceFacts);
}

std::string CanonicalPath(const std::string& path) {
    if (path.empty() || path[0] != '/')
        return {};
    std::string head = path;
    std::vector<std::string> rest;
    for (;;) {
        if (const auto real = RealPath(head))
            return AppendLexically(*real, rest);
        if (head == "/")
            return "/";
        const auto slash = head.find_last_of('/');
        rest.push_back(head.substr(slash + 1));
        head = slash == 0 ? "/" : head.substr(0, slash);
    }
}

DeviceFacts LookUpDeviceFacts(const MountEntry& mount) {
    if (const auto number = BlockDeviceNumber(mount.source))
        return FactsOfDevice(number->first, number->second);
    return mount.major != 0 ? FactsOfDevice(mount.major, mount.minor) : DeviceFacts{};
}

bool IsReady(const Volume& volume) {
    struct stat st {};
    struct statvfs v {};
    const char* root = volume.mount.mountPoint.c_str();
    return ::stat(root, &st) == 0 && S_ISDIR(st.st_mode) && ::statvfs(root, &v) == 0;
}

std::int64_t FreeBytes(const std::string& mountPoint) {
    struct statvfs v {};
    if (::statvfs(mountPoint.c_str(), &v) != 0)
        return -1;
    constexpr auto kMax = static_cast<unsigned long long>(std::numeric_limits<std::int64_t>::max());
    const unsigned long long unit = v.f_frsize ? v.f_frsize : v.f_bsize;
    const unsigned long long blocks = v.f_bavail;
    if (unit != 0 && blocks > kMax / unit)
        return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(blocks * unit);
}

std::optional<VolumeDetails> Details(const Volume& volume) {
    struct statvfs v {};
    if (::statvfs(volume.mount.mountPoint.c_str(), &v) != 0)
        return std::nullopt;
    const auto fsid = static_cast<std::uint64_t>(v.f_fsid);
    return VolumeDetails{LabelOf(volume.mount.source), volume.mount.fsType,
                         static_cast<std::uint32_t>(fsid ^ (fsid >> 32))};
}

std::vector<std::string> OpticalDrives() {
    std::vector<std::string> drives;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/sys/block", ec)) {
        const std::string name = entry.path().filename();
        if (name.starts_with("sr") && fs::exists("/dev/" + name, ec))
            drives.push_back("/dev/" + name);
    }
    std::sort(drives.begin(), drives.end());
    return drives;
}

std::optional<std::pair<unsigned, unsigned>> BlockDeviceNumber(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISBLK(st.st_mode))
        return std::nullopt;
    return std::pair{static_cast<unsigned>(major(st.st_rdev)),
                     static_cast<unsigned>(minor(st.st_rdev))};
}

bool IsOpticalDevice(const std::string& path) {
    const auto number = BlockDeviceNumber(path);
    return number && FactsOfDevice(number->first, number->second).optical;
}

} // namespace volumes
