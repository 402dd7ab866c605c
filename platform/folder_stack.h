#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/directory.h"

// The folders from a search root down to the folder a walk is in. Each folder is opened
// relative to its parent and only when it is needed, so the path text may be far longer
// than PATH_MAX. To stay under the open-file limit it closes the folders nearest the root
// and opens them again, checked to be the same folder, when the walk comes back to them.
class FolderStack {
  public:
    // At most openLimit folders are kept open at once; the default follows RLIMIT_NOFILE.
    explicit FolderStack(std::string root, std::size_t openLimit = DefaultOpenLimit());
    FolderStack(const FolderStack&) = delete;
    FolderStack& operator=(const FolderStack&) = delete;

    static std::size_t DefaultOpenLimit();

    std::size_t Depth() const { return levels_.size(); } // 1: only the root
    const std::string& Path() const { return path_; }    // full path text of the top folder
    const std::string& Name() const { return levels_.back().name; }

    void Push(std::string_view name); // enters a subfolder of the top; opens nothing yet
    void Pop();
    // The top folder, opened on demand; not open when it cannot be (gone, no access).
    Directory& Top() { return Open(levels_.size() - 1); }
    // The same handle, to be shared with threads reading below it.
    std::shared_ptr<Directory> TopHandle() {
        Open(levels_.size() - 1);
        return levels_.back().dir;
    }
    // Takes dir, opened elsewhere by the top folder's name from the same parent, as the top
    // folder when that name still leads to it; nothing is opened then. False when it does not.
    bool AdoptTop(std::shared_ptr<Directory> dir, const FolderIdentity& identity);
    // Details of the top folder's own entry: the root's through a symbolic link, any other
    // folder's as its parent lists it.
    bool StatTop(unsigned fields, EntryKind& kind, EntryDetails& out);

    std::size_t OpenCount() const { return openCount_; }

  private:
    enum class State : unsigned char { NotOpened, Open, Closed, Failed };
    struct Level {
        std::string name;
        std::size_t pathLength = 0; // of path_ up to and including this level
        // Shared with the threads that read below it.
        std::shared_ptr<Directory> dir = std::make_shared<Directory>();
        State state = State::NotOpened;
        FolderIdentity identity; // recorded when closed to save descriptors
    };

    Directory& Open(std::size_t level);
    bool OpenOne(std::size_t level);
    Directory OpenFrom(std::size_t level);
    bool Adopt(std::size_t level, Directory dir);
    bool CloseLowest(std::size_t keep);

    std::vector<Level> levels_;
    std::string path_;
    std::size_t openLimit_;
    std::size_t openCount_ = 0;
};
