#pragma once
#include <cstdint>
#include <ctime>
#include <memory>
#include <span>
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

class StatxRing;

// Which folder a handle is on, to tell whether a re-opened path still leads to it.
struct FolderIdentity {
    std::uint64_t device = 0, inode = 0;
    bool operator==(const FolderIdentity&) const = default;
};

// An open directory read with getdents64. Never follows symbolic links below the folder it
// was opened on, never opens anything but directories; path length is not limited because
// children open relative to their parent.
class Directory {
  public:
    Directory() = default;
    // The folder the user chose: a symbolic link to a folder is followed, once.
    static Directory OpenRoot(const std::string& path);
    Directory OpenChild(const char* name) const;
    Directory OpenParent() const;
    Directory Reopen() const;     // a second, independent handle on the same directory
    std::uint64_t Device() const; // the file system's device number, 0 when unknown
    FolderIdentity Identity() const;
    // The identity of the folder a name in this one leads to now; none for anything else.
    FolderIdentity ChildIdentity(const char* name) const;
    int OpenError() const { return error_; } // errno of a failed open, 0 otherwise
    Directory(Directory&& other) noexcept;
    Directory& operator=(Directory&& other) noexcept;
    Directory(const Directory&) = delete;
    Directory& operator=(const Directory&) = delete;
    ~Directory();

    bool IsOpen() const { return fd_ >= 0; }
    bool Next(DirEntry& entry);
    // Starts the enumeration again from the first entry.
    void Rewind();

    // Fills the kind (when unknown) and the attribute bits; fetches only the asked fields.
    bool Stat(DirEntry& entry, unsigned fields, EntryDetails& out) const;
    // Stat for many entries at once, their details fetched side by side through the ring;
    // fields[i] says what entries[i] needs. ok[i] is false where the details could not be had.
    void StatEach(std::span<DirEntry> entries, std::span<const unsigned> fields,
                  std::span<EntryDetails> out, std::span<bool> ok, StatxRing& ring) const;
    // The directory's own details (for a folder's row).
    bool StatSelf(unsigned fields, EntryDetails& out) const;

  private:
    explicit Directory(int fd);
    int fd_ = -1;
    int error_ = 0;
    std::unique_ptr<char[]> buffer_; // held only while entries are read
    std::size_t pos_ = 0, end_ = 0;
    bool started_ = false, exhausted_ = false;
};

// Attribute bits that follow from name and kind alone (hidden, system, directory).
inline unsigned BasicAttributes(std::string_view name, EntryKind kind) {
    unsigned a = 0;
    if (!name.empty() && name[0] == '.')
        a |= Attr::Hidden;
    if (kind == EntryKind::Directory)
        a |= Attr::Directory;
    if (kind == EntryKind::Special)
        a |= Attr::System;
    return a;
}

// Details of a path; a final symbolic link is followed only when asked.
bool StatPath(const std::string& path, unsigned fields, EntryKind& kind, EntryDetails& out,
              bool followLink = false);
