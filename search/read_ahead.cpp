#include "search/read_ahead.h"

#include <algorithm>
#include <chrono>

#include "platform/paths.h"

namespace {
// Sleepers are woken by the changes they wait for; the limit only bounds how late a cancel is
// noticed.
constexpr auto kPoll = std::chrono::milliseconds(5);
// A short spin, about as long as a helper takes for a small folder.
constexpr int kSpins = 2000;
// Helpers waiting for room are woken once the search thread has taken this many folders.
constexpr std::size_t kRoomStep = 8;

void Pause() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}
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

// One reading thread per core: more only take turns on the same cores.
unsigned WalkThreads(unsigned threads) {
    const unsigned cores = std::max(std::thread::hardware_concurrency(), 1u);
    return std::min(threads > 0 ? threads : cores, 4u);
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
        Changed(true);
    }
    for (std::thread& t : helpers_)
        t.join();
}

bool ReadAhead::Stopping() const {
    return stopping_ || rule_.terminated->load(std::memory_order_relaxed);
}

FolderEntries ReadAhead::Take(FolderStack& stack) {
    const std::string& path = stack.Path();
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
    Changed(++taken_ % kRoomStep == 0);
    if (read && read->state == FolderRead::State::Waiting) {
        read->state = FolderRead::State::SearchThread;
        read.reset();
    }
    if (read)
        Await(lock, [&] { return read->opened; });
    const bool opened = read && read->opened; // set once, under the lock
    lock.unlock();
    // The name may lead to another folder by now (renamed, replaced): then read it afresh.
    if (opened && stack.AdoptTop(read->dir, read->identity))
        return FolderEntries(read, *this);
    if (read)
        read->passedBy = true;
    return FolderEntries(stack.Top());
}

void ReadAhead::Expect(const std::string& folderPath, std::shared_ptr<Directory> folder,
                       const std::vector<std::string>& names) {
    if (names.empty() || !folder || !folder->IsOpen())
        return;
    const std::lock_guard lock(mutex_);
    const std::string p = paths::WithTrailingSeparator(folderPath);
    auto at = order_.begin();
    for (const std::string& name : names) {
        auto read = std::make_shared<FolderRead>();
        read->path = p + name;
        read->name = name;
        read->parent = folder;
        read->position = order_.insert(at, read);
    }
    Changed(true);
}

void ReadAhead::Help() {
    std::unique_lock lock(mutex_);
    while (!Stopping()) {
        const std::shared_ptr<FolderRead> next = NextToRead();
        if (!next) {
            Rest(lock);
            continue;
        }
        next->state = FolderRead::State::Reading;
        lock.unlock();
        Read(*next);
        lock.lock();
    }
}

// The first folder no thread reads yet within the window, but for the one the search thread
// enters next: it reads that one itself rather than wait for it.
std::shared_ptr<FolderRead> ReadAhead::NextToRead() const {
    std::size_t seen = 0;
    for (const auto& read : order_) {
        if (++seen > kWindow)
            break;
        if (seen > 1 && read->state == FolderRead::State::Waiting)
            return read;
    }
    return nullptr;
}

template <typename Done> void ReadAhead::Await(std::unique_lock<std::mutex>& lock, Done done) {
    while (!done() && !Stopping()) {
        const std::uint64_t seen = changes_.load(std::memory_order_relaxed);
        lock.unlock();
        for (int i = 0; i < kSpins && changes_.load(std::memory_order_relaxed) == seen; ++i)
            Pause();
        lock.lock();
        if (done() || changes_.load(std::memory_order_relaxed) != seen)
            continue;
        ++searchAsleep_;
        searchWake_.wait_for(lock, kPoll);
        --searchAsleep_;
    }
}

void ReadAhead::Rest(std::unique_lock<std::mutex>& lock) {
    ++helpersAsleep_;
    helperWake_.wait_for(lock, kPoll);
    --helpersAsleep_;
}

void ReadAhead::Changed(bool forHelpers) {
    changes_.fetch_add(1, std::memory_order_relaxed);
    if (searchAsleep_ > 0)
        searchWake_.notify_one();
    if (forHelpers && helpersAsleep_ > 0)
        helperWake_.notify_all();
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
        Changed(false);
    }
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
    Changed(true);
}

// Hands a full chunk to the search thread, waiting while the folder has enough buffered.
bool ReadAhead::Deliver(FolderRead& read, EntryChunk& chunk) {
    std::unique_lock lock(mutex_);
    while (read.chunks.size() >= kChunks) {
        if (Stopping() || read.passedBy)
            return false;
        Rest(lock);
    }
    read.chunks.push_back(std::move(chunk));
    chunk = EntryChunk{};
    Changed(false);
    return true;
}

bool ReadAhead::TakeChunk(FolderRead& read, EntryChunk& out) {
    std::unique_lock lock(mutex_);
    Await(lock, [&] { return !read.chunks.empty() || read.finished; });
    if (read.chunks.empty())
        return false;
    out = std::move(read.chunks.front());
    read.chunks.pop_front();
    Changed(true); // room for the helper reading it
    return true;
}
