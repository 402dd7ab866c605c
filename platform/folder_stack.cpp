#include "platform/folder_stack.h"

#include <algorithm>
#include <cerrno>
#include <sys/resource.h>

#include "platform/paths.h"

namespace {
bool OutOfDescriptors(int error) {
    return error == EMFILE || error == ENFILE;
}
} // namespace

std::size_t FolderStack::DefaultOpenLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return 1024;
    // Half of what is left once the rest of the program has had its share.
    const auto soft = static_cast<std::size_t>(limit.rlim_cur);
    return std::clamp<std::size_t>(soft > 64 ? (soft - 64) / 2 : 4, 4, 1024);
}

FolderStack::FolderStack(std::string root, std::size_t openLimit)
    : path_(std::move(root)), openLimit_(std::max<std::size_t>(openLimit, 2)) {
    Level level;
    level.name = path_;
    level.pathLength = path_.size();
    levels_.push_back(std::move(level));
}

void FolderStack::Push(std::string_view name) {
    if (!paths::EndsWithSeparator(path_))
        path_.push_back(paths::kSeparator);
    path_.append(name);
    Level level;
    level.name = std::string(name);
    level.pathLength = path_.size();
    levels_.push_back(std::move(level));
}

void FolderStack::Pop() {
    if (levels_.size() < 2)
        return;
    const std::size_t top = levels_.size() - 1;
    // The folder's own ".." leads back to a parent closed to save descriptors in one step.
    if (levels_[top - 1].state == State::Closed && levels_[top].state == State::Open)
        Adopt(top - 1, levels_[top].dir->OpenParent());
    if (levels_[top].state == State::Open)
        --openCount_;
    levels_.pop_back();
    path_.resize(levels_.back().pathLength);
}

bool FolderStack::StatTop(unsigned fields, EntryKind& kind, EntryDetails& out) {
    const std::size_t top = levels_.size() - 1;
    if (top == 0)
        return StatPath(path_, fields, kind, out, true);
    const Directory& parent = Open(top - 1);
    if (!parent.IsOpen())
        return false;
    const std::string& name = levels_[top].name;
    DirEntry entry{name.c_str(), name.size(), EntryKind::Unknown};
    const bool ok = parent.Stat(entry, fields, out);
    kind = entry.kind;
    return ok;
}

bool FolderStack::AdoptTop(std::shared_ptr<Directory> dir, const FolderIdentity& identity) {
    const std::size_t top = levels_.size() - 1;
    Level& l = levels_[top];
    if (!dir || !dir->IsOpen() || top == 0)
        return false;
    if (l.state == State::Open)
        return l.dir == dir || l.dir->Identity() == identity;
    if (l.state != State::NotOpened)
        return false;
    const Directory& parent = Open(top - 1);
    if (!parent.IsOpen() || parent.ChildIdentity(l.name.c_str()) != identity)
        return false;
    l.dir = std::move(dir);
    l.state = State::Open;
    if (++openCount_ > openLimit_)
        CloseLowest(top);
    return true;
}

Directory& FolderStack::Open(std::size_t level) {
    const State state = levels_[level].state;
    if (state == State::Open || state == State::Failed)
        return *levels_[level].dir;
    // Down by names from the nearest folder still open (or from the root's path).
    std::size_t from = level;
    while (from > 0 && levels_[from - 1].state != State::Open)
        --from;
    for (std::size_t k = from; k <= level; ++k) {
        if (OpenOne(k))
            continue;
        for (; k <= level; ++k)
            levels_[k].state = State::Failed;
    }
    return *levels_[level].dir;
}

bool FolderStack::OpenOne(std::size_t level) {
    Directory dir = OpenFrom(level);
    while (!dir.IsOpen() && OutOfDescriptors(dir.OpenError()) && CloseLowest(level))
        dir = OpenFrom(level);
    return Adopt(level, std::move(dir));
}

Directory FolderStack::OpenFrom(std::size_t level) {
    if (level == 0)
        return Directory::OpenRoot(path_.substr(0, levels_[0].pathLength));
    return levels_[level - 1].dir->OpenChild(levels_[level].name.c_str());
}

bool FolderStack::Adopt(std::size_t level, Directory dir) {
    Level& l = levels_[level];
    if (!dir.IsOpen())
        return false;
    // A folder renamed or replaced meanwhile is not taken for the one that was there.
    if (l.state == State::Closed && dir.Identity() != l.identity)
        return false;
    l.dir = std::make_shared<Directory>(std::move(dir));
    l.state = State::Open;
    if (++openCount_ > openLimit_)
        CloseLowest(level);
    return true;
}

// Closes the open folder nearest the root, sparing the top, the given level and its parent
// (the one it is opened from).
bool FolderStack::CloseLowest(std::size_t keep) {
    const std::size_t top = levels_.size() - 1;
    for (std::size_t k = 0; k < levels_.size(); ++k) {
        Level& l = levels_[k];
        if (l.state != State::Open || k == top || k == keep || k + 1 == keep)
            continue;
        l.identity = l.dir->Identity();
        l.dir = std::make_shared<Directory>(); // a reader ahead may keep the handle a while
        l.state = State::Closed;
        --openCount_;
        return true;
    }
    return false;
}
