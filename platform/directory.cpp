#include "platform/directory.h"

#include "platform/statx_ring.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

constexpr std::size_t kBufferSize = 32 * 1024;
constexpr int kRootFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK;
constexpr int kDirFlags = kRootFlags | O_NOFOLLOW;

struct LinuxDirent64 {
    ino64_t d_ino;
    off64_t d_off;
    unsigned short d_reclen;
    unsigned char d_type;
    char d_name[];
};

EntryKind KindOfDType(unsigned char t) {
    switch (t) {
    case DT_REG:
        return EntryKind::File;
    case DT_DIR:
        return EntryKind::Directory;
    case DT_LNK:
        return EntryKind::Symlink;
    case DT_UNKNOWN:
        return EntryKind::Unknown;
    default:
        return EntryKind::Special;
    }
}

EntryKind KindOfMode(unsigned mode) {
    if (S_ISREG(mode))
        return EntryKind::File;
    if (S_ISDIR(mode))
        return EntryKind::Directory;
    if (S_ISLNK(mode))
        return EntryKind::Symlink;
    return EntryKind::Special;
}

unsigned StatxMask(unsigned fields, bool needType) {
    unsigned mask = needType ? STATX_TYPE : 0;
    if (fields & Field::Size)
        mask |= STATX_SIZE;
    if (fields & Field::Modified)
        mask |= STATX_MTIME;
    if (fields & Field::Accessed)
        mask |= STATX_ATIME;
    if (fields & Field::Created)
        mask |= STATX_BTIME;
    if (fields & Field::Attributes)
        mask |= STATX_MODE | STATX_TYPE;
    return mask;
}

void FillDetails(const struct statx& sx, unsigned fields, EntryDetails& out) {
    out.size = static_cast<std::int64_t>(sx.stx_size);
    out.modified = sx.stx_mtime.tv_sec;
    out.accessed = sx.stx_atime.tv_sec;
    out.hasCreated = (sx.stx_mask & STATX_BTIME) != 0;
    out.created = out.hasCreated ? sx.stx_btime.tv_sec : 0;
    if ((fields & Field::Attributes) && !(sx.stx_mode & S_IWUSR))
        out.attributes |= Attr::ReadOnly;
    if ((fields & Field::Attributes) && (sx.stx_attributes_mask & STATX_ATTR_COMPRESSED) &&
        (sx.stx_attributes & STATX_ATTR_COMPRESSED))
        out.attributes |= Attr::Compressed;
}

bool StatAt(int dirfd, const char* name, int flags, unsigned fields, EntryKind& kind,
            EntryDetails& out) {
    const bool needType = kind == EntryKind::Unknown;
    const unsigned mask = StatxMask(fields, needType);
    out = EntryDetails{};
    if (mask != 0) {
        struct statx sx; // the kernel fills every field
        if (statx(dirfd, name, flags | AT_STATX_DONT_SYNC, mask, &sx) != 0)
            return false;
        if (needType)
            kind = KindOfMode(sx.stx_mode);
        FillDetails(sx, fields, out);
    }
    return true;
}

} // namespace

Directory::Directory(int fd) : fd_(fd), error_(fd < 0 ? errno : 0) {}

Directory Directory::OpenRoot(const std::string& path) {
    return Directory(::open(path.c_str(), kRootFlags));
}

Directory Directory::OpenChild(const char* name) const {
    if (fd_ < 0)
        return Directory();
    return Directory(::openat(fd_, name, kDirFlags));
}

Directory Directory::OpenParent() const {
    return OpenChild("..");
}

Directory Directory::Reopen() const {
    return OpenChild(".");
}

std::uint64_t Directory::Device() const {
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0)
        return 0;
    return static_cast<std::uint64_t>(st.st_dev);
}

FolderIdentity Directory::Identity() const {
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0)
        return {};
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

FolderIdentity Directory::ChildIdentity(const char* name) const {
    struct stat st {};
    if (fd_ < 0 || ::fstatat(fd_, name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(st.st_mode))
        return {};
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

Directory::Directory(Directory&& other) noexcept
    : fd_(other.fd_), error_(other.error_), buffer_(std::move(other.buffer_)), pos_(other.pos_),
      end_(other.end_), started_(other.started_), exhausted_(other.exhausted_) {
    other.fd_ = -1;
}

Directory& Directory::operator=(Directory&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.fd_;
        error_ = other.error_;
        buffer_ = std::move(other.buffer_);
        pos_ = other.pos_;
        end_ = other.end_;
        started_ = other.started_;
        exhausted_ = other.exhausted_;
        other.fd_ = -1;
    }
    return *this;
}

Directory::~Directory() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool Directory::Next(DirEntry& entry) {
    if (fd_ < 0)
        return false;
    while (pos_ >= end_) {
        if (exhausted_)
            return false;
        if (!buffer_)
            buffer_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
        started_ = true;
        const long n = ::syscall(SYS_getdents64, fd_, buffer_.get(), kBufferSize);
        if (n <= 0) {
            exhausted_ = true;
            buffer_.reset(); // a walk holds many read folders open
            return false;
        }
        pos_ = 0;
        end_ = static_cast<std::size_t>(n);
    }
    const auto* d = reinterpret_cast<const LinuxDirent64*>(buffer_.get() + pos_);
    pos_ += d->d_reclen;
    entry.name = d->d_name;
    entry.nameLength = std::strlen(d->d_name);
    entry.kind = KindOfDType(d->d_type);
    return true;
}

void Directory::Rewind() {
    if (fd_ < 0 || !started_)
        return;
    ::lseek(fd_, 0, SEEK_SET);
    pos_ = end_ = 0;
    started_ = exhausted_ = false;
}

bool Directory::Stat(DirEntry& entry, unsigned fields, EntryDetails& out) const {
    const bool ok = StatAt(fd_, entry.name, AT_SYMLINK_NOFOLLOW, fields, entry.kind, out);
    out.attributes |= BasicAttributes(entry.Name(), entry.kind);
    return ok;
}

void Directory::StatEach(std::span<DirEntry> entries, std::span<const unsigned> fields,
                         std::span<EntryDetails> out, std::span<bool> ok, StatxRing& ring) const {
    std::vector<StatxRing::Request> requests(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        requests[i] = {entries[i].name, StatxMask(fields[i], entries[i].kind == EntryKind::Unknown)};
    ring.Run(fd_, requests, AT_SYMLINK_NOFOLLOW | AT_STATX_DONT_SYNC);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        DirEntry& entry = entries[i];
        out[i] = EntryDetails{};
        ok[i] = requests[i].mask == 0 || requests[i].result == 0;
        if (requests[i].mask != 0 && requests[i].result == 0) {
            const struct statx& sx = ring.Result(i);
            if (entry.kind == EntryKind::Unknown)
                entry.kind = KindOfMode(sx.stx_mode);
            FillDetails(sx, fields[i], out[i]);
        }
        out[i].attributes |= BasicAttributes(entry.Name(), entry.kind);
    }
}

bool Directory::StatSelf(unsigned fields, EntryDetails& out) const {
    EntryKind kind = EntryKind::Directory;
    const bool ok = StatAt(fd_, "", AT_EMPTY_PATH, fields, kind, out);
    out.attributes |= Attr::Directory;
    return ok;
}

bool StatPath(const std::string& path, unsigned fields, EntryKind& kind, EntryDetails& out,
              bool followLink) {
    kind = EntryKind::Unknown;
    const int flags = followLink ? 0 : AT_SYMLINK_NOFOLLOW;
    const bool ok = StatAt(AT_FDCWD, path.c_str(), flags, fields, kind, out);
    const auto slash = path.find_last_of('/');
    const std::string_view name = slash == std::string::npos
                                      ? std::string_view(path)
                                      : std::string_view(path).substr(slash + 1);
    if (ok)
        out.attributes |= BasicAttributes(name, kind);
    return ok;
}
