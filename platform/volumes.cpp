#include "platform/volumes.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <unordered_map>

namespace volumes {
namespace {

constexpr std::string_view kPseudoTypes[] = {
    "proc",     "sysfs",     "devtmpfs",        "devpts",      "securityfs", "pstore",
    "bpf",      "debugfs",   "tracefs",         "configfs",    "fusectl",    "hugetlbfs",
    "mqueue",   "autofs",    "binfmt_misc",     "efivarfs",    "rpc_pipefs", "nsfs",
    "squashfs", "selinuxfs", "fuse.gvfsd-fuse", "fuse.portal", "fuse.lxcfs", "fuse.snapfuse",
    "nfsd",     "xenfs",     "usbfs",           "functionfs",  "gadgetfs"};

constexpr std::string_view kNetworkTypes[] = {
    "nfs",   "nfs4",        "cifs",        "smb3",      "smbfs", "sshfs",     "fuse.sshfs",
    "ncpfs", "afs",         "coda",        "9p",        "ceph",  "glusterfs", "fuse.glusterfs",
    "davfs", "fuse.davfs2", "fuse.rclone", "fuse.s3fs", "lustre", "fuse.curlftpfs",
    "fuse.smbnetfs", "fuse.gcsfuse", "beegfs", "gpfs", "orangefs"};

template <std::size_t N> bool Contains(const std::string_view (&list)[N], std::string_view value) {
    return std::find(std::begin(list), std::end(list), value) != std::end(list);
}

bool AtOrBelow(std::string_view path, std::string_view folder) {
    return path == folder ||
           (path.starts_with(folder) && path.size() > folder.size() && path[folder.size()] == '/');
}

bool Holds(std::string_view mountPoint, std::string_view path) {
    return mountPoint == "/" ? path.starts_with('/') : AtOrBelow(path, mountPoint);
}

// Undoes the octal escapes the kernel writes for blanks, tabs, newlines and backslashes.
std::string Unescape(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const auto isOctal = [&](std::size_t k) { return field[k] >= '0' && field[k] <= '7'; };
        if (field[i] == '\\' && i + 3 < field.size() && isOctal(i + 1) && isOctal(i + 2) &&
            isOctal(i + 3)) {
            out.push_back(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                            (field[i + 3] - '0')));
            i += 3;
        } else {
            out.push_back(field[i]);
        }
    }
    return out;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (pos < line.size()) {
        const std::size_t end = std::min(line.find(' ', pos), line.size());
        if (end > pos)
            fields.push_back(line.substr(pos, end - pos));
        pos = end + 1;
    }
    return fields;
}

unsigned ToUnsigned(std::string_view text) {
    unsigned value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

std::optional<MountEntry> ParseLine(std::string_view line) {
    const auto f = SplitFields(line);
    const auto dash = std::find(f.begin(), f.end(), std::string_view("-"));
    if (f.size() < 6 || dash == f.end() || f.end() - dash < 3)
        return std::nullopt;
    MountEntry m;
    m.id = static_cast<int>(ToUnsigned(f[0]));
    m.parentId = static_cast<int>(ToUnsigned(f[1]));
    const auto colon = f[2].find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    m.major = ToUnsigned(f[2].substr(0, colon));
    m.minor = ToUnsigned(f[2].substr(colon + 1));
    m.root = Unescape(f[3]);
    m.mountPoint = Unescape(f[4]);
    m.fsType = Unescape(dash[1]);
    m.source = Unescape(dash[2]);
    return m;
}

// Pseudo file systems, system RAM disks and anything below /proc or /sys.
bool IsSystemMount(const MountEntry& m) {
    if (IsPseudoFileSystem(m.fsType))
        return true;
    if (AtOrBelow(m.mountPoint, "/proc") || AtOrBelow(m.mountPoint, "/sys"))
        return true;
    const bool ram = m.fsType == "tmpfs" || m.fsType == "ramfs";
    return ram && (AtOrBelow(m.mountPoint, "/run") || AtOrBelow(m.mountPoint, "/dev"));
}

// A mount is hidden when another is mounted on the same place on top of it, or when
// the mount it sits on is hidden.
std::vector<bool> Visibility(const std::vector<MountEntry>& mounts) {
    std::unordered_map<int, std::size_t> byId;
    for (std::size_t i = 0; i < mounts.size(); ++i)
        byId[mounts[i].id] = i;
    std::vector<bool> covered(mounts.size(), false);
    for (const MountEntry& m : mounts) {
        const auto parent = byId.find(m.parentId);
        if (parent != byId.end() && mounts[parent->second].mountPoint == m.mountPoint &&
            mounts[parent->second].id != m.id)
            covered[parent->second] = true;
    }
    std::vector<bool> visible(mounts.size(), false);
    for (std::size_t i = 0; i < mounts.size(); ++i) {
        bool ok = !covered[i];
        std::size_t k = i;
        for (std::size_t depth = 0; ok && depth <= mounts.size(); ++depth) {
            const auto parent = byId.find(mounts[k].parentId);
            if (parent == byId.end() || parent->second == k)
                break;
            // A parent on the same place is covered by this very chain.
            const bool stacked = mounts[parent->second].mountPoint == mounts[k].mountPoint;
            k = parent->second;
            if (!stacked && covered[k])
                ok = false;
        }
        visible[i] = ok;
    }
    return visible;
}

// Of several mounts of one device, the whole file system wins, then the shortest path.
bool Preferred(const Volume& a, const Volume& b) {
    const bool aWhole = a.mount.root == "/", bWhole = b.mount.root == "/";
    if (aWhole != bWhole)
        return aWhole;
    if (a.mount.mountPoint.size() != b.mount.mountPoint.size())
        return a.mount.mountPoint.size() < b.mount.mountPoint.size();
    return a.mount.mountPoint < b.mount.mountPoint;
}

using DeviceKey = std::pair<unsigned, unsigned>;

std::map<DeviceKey, const Volume*> ChosenPerDevice(const std::vector<Volume>& all,
                                                   const VolumeTable::ReadyTest& ready) {
    std::map<DeviceKey, const Volume*> chosen;
    for (const Volume& v : all) {
        if (!v.IsDrive() || !ready(v))
            continue;
        const Volume*& best = chosen[{v.mount.major, v.mount.minor}];
        if (!best || Preferred(v, *best))
            best = &v;
    }
    return chosen;
}

} // namespace

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
    std::vector<MountEntry> mounts;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        if (auto m = ParseLine(text.substr(pos, end - pos)))
            mounts.push_back(std::move(*m));
        pos = end + 1;
    }
    return mounts;
}

std::string_view DriveTypeName(VolumeKind kind) {
    switch (kind) {
    case VolumeKind::Floppy:
        return "Floppy";
    case VolumeKind::Harddisk:
        return "Harddisk";
    case VolumeKind::Network:
        return "Network";
    case VolumeKind::CdRom:
        return "CD-ROM";
    case VolumeKind::RamDisk:
        return "RAM disk";
    case VolumeKind::DoesNotExist:
        break;
    }
    return "Does not exist";
}

bool IsPseudoFileSystem(std::string_view fsType) {
    return Contains(kPseudoTypes, fsType) || fsType.starts_with("cgroup");
}

VolumeKind Classify(const MountEntry& m, const DeviceFacts& facts) {
    if (IsPseudoFileSystem(m.fsType))
        return VolumeKind::DoesNotExist;
    if (m.fsType == "iso9660" || m.fsType == "udf" || facts.optical)
        return VolumeKind::CdRom;
    if (m.fsType == "tmpfs" || m.fsType == "ramfs")
        return VolumeKind::RamDisk;
    if (Contains(kNetworkTypes, m.fsType))
        return VolumeKind::Network;
    // Every other mounted file system holds files of its own: ext4, zfs, ecryptfs, virtiofs,
    // overlay, ntfs-3g, mergerfs, gocryptfs …
    return facts.removable || facts.usb ? VolumeKind::Floppy : VolumeKind::Harddisk;
}

VolumeTable VolumeTable::Build(std::string_view mountInfo, const DeviceFactsLookup& facts) {
    const std::vector<MountEntry> mounts = ParseMountInfo(mountInfo);
    const std::vector<bool> visible = Visibility(mounts);
    VolumeTable table;
    for (std::size_t i = 0; i < mounts.size(); ++i) {
        if (!visible[i])
            continue;
        Volume v;
        v.mount = mounts[i];
        v.system = IsSystemMount(v.mount);
        v.kind = Classify(v.mount, v.system ? DeviceFacts{} : facts(v.mount));
        table.volumes_.push_back(std::move(v));
    }
    return table;
}

const Volume* VolumeTable::Holding(std::string_view path) const& {
    const Volume* best = nullptr;
    for (const Volume& v : volumes_)
        if (Holds(v.mount.mountPoint, path) &&
            (!best || v.mount.mountPoint.size() >= best->mount.mountPoint.size()))
            best = &v;
    return best;
}

const Volume* VolumeTable::MountOfDevice(unsigned major, unsigned minor) const& {
    const Volume* best = nullptr;
    for (const Volume& v : volumes_)
        if (v.mount.major == major && v.mount.minor == minor && (!best || Preferred(v, *best)))
            best = &v;
    return best;
}

std::vector<const Volume*> VolumeTable::Drives(const ReadyTest& ready) const& {
    std::vector<const Volume*> drives;
    for (const auto& [device, volume] : ChosenPerDevice(volumes_, ready))
        drives.push_back(volume);
    std::sort(drives.begin(), drives.end(), [](const Volume* a, const Volume* b) {
        return a->mount.mountPoint < b->mount.mountPoint;
    });
    return drives;
}

std::vector<std::string> VolumeTable::NotToEnter(const ReadyTest& ready) const {
    const auto chosen = ChosenPerDevice(volumes_, ready);
    std::vector<std::string> out;
    for (const Volume& v : volumes_) {
        if (v.mount.mountPoint == "/")
            continue;
        const auto it = chosen.find({v.mount.major, v.mount.minor});
        const bool duplicate = v.IsDrive() && it != chosen.end() && it->second != &v;
        if (v.system || duplicate)
            out.push_back(v.mount.mountPoint);
    }
    return out;
}

} // namespace volumes
