#pragma once
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

// Attribute bits in the classic layout the listing's letters are made from.
namespace Attr {
constexpr unsigned ReadOnly = 0x01, Hidden = 0x02, System = 0x04, VolumeLabel = 0x08,
                   Directory = 0x10, Archive = 0x20, Compressed = 0x800;
constexpr unsigned FilesFilter = 0x27, EverythingFilter = 0x3F, FolderEntryFilter = 0x13;
} // namespace Attr

// An entry passes an attribute filter unless it carries a special attribute the filter lacks.
constexpr bool PassesFilter(unsigned attributes, unsigned filter) {
    constexpr unsigned special = Attr::Hidden | Attr::System | Attr::VolumeLabel | Attr::Directory;
    return (attributes & special & ~filter) == 0;
}

enum class EntryKind : std::uint8_t { Unknown, File, Directory, Symlink, Special };

// Which details Stat() must fetch; only what a shown column needs.
namespace Field {
constexpr unsigned Size = 1, Modified = 2, Accessed = 4, Created = 8, Attributes = 16;
}

struct EntryDetails {
    std::int64_t size = 0;
    std::time_t modified = 0, accessed = 0, created = 0;
    bool hasCreated = false; // false where the file system records no birth time
    unsigned attributes = 0;
};

// One directory entry as enumerated: name bytes as stored, kind from d_type when known.
struct DirEntry {
    const char* name = nullptr; // NUL-terminated, valid until the next Next()
    std::size_t nameLength = 0;
    EntryKind kind = EntryKind::Unknown;
    std::string_view Name() const { return {name, nameLength}; }
    bool IsDotOrDotDot() const {
        return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
    }
};

// An open directory read with getdents64. Never follows symbolic links, never opens
// anything but directories; path length is not limited because children open relative.
class Directory {
public:
    Directory() = default;
    static Directory Open(const std::string& path);
    Directory OpenChild(const char* name) const;
    Directory Reopen() const; // a second, independent handle on the same directory
    std::uint64_t Device() const; // the file system's device number, 0 when unknown
    Directory(Directory&& other) noexcept;
    Directory& operator=(Directory&& other) noexcept;
    Directory(const Directory&) = delete;
    Directory& operator=(const Directory&) = delete;
    ~Directory();

    bool IsOpen() const { return fd_ >= 0; }
    bool Removed() const; // the open directory has been deleted since it was opened
    bool Next(DirEntry& entry);

    // Fills the kind (when unknown) and the attribute bits; fetches only the asked fields.
    bool Stat(DirEntry& entry, unsigned fields, EntryDetails& out) const;
    // The directory's own details (for a folder's row).
    bool StatSelf(unsigned fields, EntryDetails& out) const;

private:
    explicit Directory(int fd);
    int fd_ = -1;
    std::vector<char> buffer_;
    std::size_t pos_ = 0, end_ = 0;
    bool exhausted_ = false;
};

// Attribute bits that follow from name and kind alone (hidden, system, directory).
unsigned BasicAttributes(std::string_view name, EntryKind kind);

// Details of a path without following a final symbolic link.
bool StatPath(const std::string& path, unsigned fields, EntryKind& kind, EntryDetails& out);
