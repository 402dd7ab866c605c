#include "search/read_ahead.h"

#include <algorithm>
#include <chrono>

#include "platform/paths.h"

namespace {
// Waits are woken by every change; the limit only bounds how late a cancel is noticed.
constexpr auto kPoll = std::chrono::milliseconds(5);
} // namespace

struct FolderRead {
    enum class State { Waiting, Reading, SearchThread };
    std::string path, name;
    std::shared_ptr<Directory> parent, dir;
    State state = State::Waiting;
    bool opened = false; // dir and identity are set
    FolderIdentity identity;
    bool finished = false; // every chunk delivered
    std::atomic<bool> passedBy{false};
    bool inOrder = true;
    std::list<std::shared_ptr<FolderRead>>::iterator position;
    std::deque<EntryChunk> chunks;
};

// Measured on two cores, the read-ahead costs more in hand-overs between the threads than it
// saves, so a search reads alone unless more threads are asked for.
unsigned WalkThreads(unsigned threads) {
    return threads > 0 ? std::min(threads, 4u) : 1u;
}

FolderEntries::FolderEntries(Directory& dir) : dir_(&dir) {
    dir.Rewind();
}

FolderEntries::FolderEntries(std::shared_ptr<FolderRead> read, ReadAhead& owner)
    : dir_(read->dir.get()), helperDir_(read->dir), read_(std::move(read)), owner_(&owner) {}

bool FolderEntries::Next(DirEntry& entry, const EntryDetails*& known) {
    known = nullptr;
    if (!read_)
        return dir_->Next(entry);
    while (next_ >= chunk_.entries.size()) {
        next_ = 0;
        chunk_.entries.clear();
        if (!owner_->TakeChunk(*read_, chunk_))
            return false;
    }
    const ReadEntry& e = chunk_.entries[next_++];
    entry.name = chunk_.names.data() + e.nameOffset;
    entry.nameLength = e.nameLength;
    entry.kind = e.kind;
    if (e.hasDetails)
        known = &e.details;
    return true;
}

void FolderEntries::ResolveKind(DirEntry& entry) {
    EntryDetails ignored;
    if (!read_ && entry.kind == EntryKind::Unknown)
        dir_->Stat(entry, 0, ignored);
}

ReadAhead::ReadAhead(FolderReadRule rule, unsigned helpers) : rule_(std::move(rule)) {
    for (unsigned i = 0; i < helpers; ++i)
        helpers_.emplace_back([this] { Help(); });
}

ReadAhead::~ReadAhead() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& t : helpers_)
        t.join();
}

bool ReadAhead::Stopping() const {
    return stopping_ || rule_.terminated->load(std::memory_order_relaxed);
}

FolderEntries ReadAhead::Take(const std::string& path, Directory& dir) {
    std::unique_lock lock(mutex_);
    // Folders before this one were not entered (a cancel, or not to be entered).
    while (!order_.empty() && order_.front()->path != path) {
        order_.front()->passedBy = true;
        order_.front()->inOrder = false;
        order_.pop_front();
    }
    std::shared_ptr<FolderRead> read;
    if (!order_.empty()) {
        read = order_.front();
        read->inOrder = false;
        order_.pop_front();
    }
    changed_.notify_all();
    if (!read)
        return FolderEntries(dir);
    if (read->state == FolderRead::State::Waiting) {
        read->state = FolderRead::State::SearchThread;
        return FolderEntries(dir);
    }
    while (!read->opened)
        changed_.wait_for(lock, kPoll);
    // The name may lead to another folder by now (renamed, replaced): then read it afresh.
    const bool same = read->dir->IsOpen() && read->identity == dir.Identity();
    if (!same) {
        read->passedBy = true;
        return FolderEntries(dir);
    }
    return FolderEntries(read, *this);
}

void ReadAhead::Expect(const std::string& folderPath, const Directory& folder,
                       const std::vector<std::string>& names) {
    if (names.empty())
        return;
    auto handle = std::make_shared<Directory>(folder.Reopen());
    const std::lock_guard lock(mutex_);
    const std::string p = paths::WithTrailingSeparator(folderPath);
    auto at = order_.begin();
    for (const std::string& name : names) {
        auto read = std::make_shared<FolderRead>();
        read->path = p + name;
        read->name = name;
        read->parent = handle;
        read->position = order_.insert(at, read);
    }
    changed_.notify_all();
}

void ReadAhead::Help() {
    std::unique_lock lock(mutex_);
    while (!Stopping()) {
        std::shared_ptr<FolderRead> next;
        std::size_t seen = 0;
        for (const auto& read : order_) {
            if (++seen > kWindow)
                break;
            if (read->state == FolderRead::State::Waiting) {
                next = read;
                break;
            }
        }
        if (!next) {
            changed_.wait_for(lock, kPoll);
            continue;
        }
        next->state = FolderRead::State::Reading;
        lock.unlock();
        Read(*next);
        lock.lock();
    }
}

// Reads one folder as the listing's file pass would, in chunks; its subfolders then come
// right after it (before its later siblings).
void ReadAhead::Read(FolderRead& read) {
    auto dir = std::make_shared<Directory>(read.parent->OpenChild(read.name.c_str()));
    const FolderIdentity identity = dir->IsOpen() ? dir->Identity() : FolderIdentity{};
    {
        const std::lock_guard lock(mutex_);
        read.dir = dir;
        read.identity = identity;
        read.opened = true;
    }
    changed_.notify_all();
    std::vector<std::string> subfolders;
    EntryChunk chunk;
    bool complete = dir->IsOpen() && rule_.mayEnter(read.path, *dir);
    DirEntry e;
    EntryDetails details;
    while (complete) {
        if (read.passedBy || rule_.terminated->load(std::memory_order_relaxed)) {
            complete = false;
            break;
        }
        if (!dir->Next(e))
            break;
        // Every entry is passed on, so the search thread takes the same steps for each.
        const bool dots = e.IsDotOrDotDot();
        const bool matches = !dots && rule_.mask->Matches(e.Name());
        const bool looked = !dots && (matches || rule_.withSubfolders);
        if (looked && e.kind == EntryKind::Unknown)
            dir->Stat(e, 0, details);
        ReadEntry entry;
        entry.nameOffset = static_cast<std::uint32_t>(chunk.names.size());
        entry.nameLength = static_cast<std::uint32_t>(e.nameLength);
        entry.kind = e.kind;
        if (looked && e.kind == EntryKind::Directory) {
            if (rule_.withSubfolders)
                subfolders.emplace_back(e.Name());
        } else if (looked && matches && !rule_.onlyFolders) {
            entry.hasDetails = true;
            dir->Stat(e, rule_.fileFields, entry.details);
            entry.kind = e.kind;
        }
        chunk.names.append(e.name, e.nameLength).push_back('\0');
        chunk.entries.push_back(entry);
        if (chunk.entries.size() >= kChunkEntries && !Deliver(read, chunk))
            complete = false;
    }
    std::unique_lock lock(mutex_);
    if (!chunk.entries.empty())
        read.chunks.push_back(std::move(chunk));
    read.finished = true;
    if (complete && !read.passedBy && !subfolders.empty()) {
        const std::string p = paths::WithTrailingSeparator(read.path);
        auto at = read.inOrder ? std::next(read.position) : order_.begin();
        for (const std::string& name : subfolders) {
            auto child = std::make_shared<FolderRead>();
            child->path = p + name;
            child->name = name;
            child->parent = dir;
            child->position = order_.insert(at, child);
        }
    }
    lock.unlock();
    changed_.notify_all();
}

// Hands a full chunk to the search thread, waiting while the folder has enough buffered.
bool ReadAhead::Deliver(FolderRead& read, EntryChunk& chunk) {
    std::unique_lock lock(mutex_);
    while (read.chunks.size() >= kChunks) {
        if (Stopping() || read.passedBy)
            return false;
        changed_.wait_for(lock, kPoll);
    }
    read.chunks.push_back(std::move(chunk));
    chunk = EntryChunk{};
    lock.unlock();
    changed_.notify_all();
    return true;
}

bool ReadAhead::TakeChunk(FolderRead& read, EntryChunk& out) {
    std::unique_lock lock(mutex_);
    while (read.chunks.empty() && !read.finished)
        changed_.wait_for(lock, kPoll);
    if (read.chunks.empty())
        return false;
    out = std::move(read.chunks.front());
    read.chunks.pop_front();
    lock.unlock();
    changed_.notify_all();
    return true;
}
