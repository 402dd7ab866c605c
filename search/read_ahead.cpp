#include "search/read_ahead.h"

#include <algorithm>
#include <chrono>

#include "platform/disk_wait.h"
#include "platform/paths.h"
#include "platform/statx_ring.h"

namespace {
// Sleepers are woken by the changes they wait for; the limit only bounds how late a cancel is
// noticed.
constexpr auto kPoll = std::chrono::milliseconds(5);
// A short spin, about as long as a helper takes for a small folder.
constexpr int kSpins = 2000;
// Helpers waiting for room are woken once the search thread has taken this many folders.
constexpr std::size_t kRoomStep = 8;
// Helpers for a slow disk look this often whether it has become slow.
constexpr auto kDiskPoll = std::chrono::milliseconds(50);

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

unsigned DiskHelpersWanted(const char* environmentValue, unsigned byDefault) {
    const std::string value = environmentValue ? environmentValue : "";
    return value.size() == 1 && value[0] >= '0' && value[0] <= '8'
               ? static_cast<unsigned>(value[0] - '0')
               : byDefault;
}

FolderEntries::FolderEntries(Directory& dir) : dir_(&dir) {
    dir.Rewind();
}

FolderEntries::FolderEntries(Directory& dir, const FolderReadRule& rule, StatxRing& ring)
    : dir_(&dir), rule_(&rule), ring_(&ring) {
    dir.Rewind();
}

FolderEntries::FolderEntries(std::shared_ptr<FolderRead> read, ReadAhead& owner)
    : dir_(read->dir.get()), helperDir_(read->dir), read_(std::move(read)), owner_(&owner) {}

bool FolderEntries::Next(DirEntry& entry, const EntryDetails*& known) {
    known = nullptr;
    if (!read_ && !rule_)
        return dir_->Next(entry);
    while (next_ >= chunk_.entries.size()) {
        next_ = 0;
        chunk_.entries.clear();
        if (rule_) {
            if (atEnd_)
                return false;
            const ChunkEnd end = ReadChunk(*dir_, *rule_, ring_, chunk_, nullptr, nullptr);
            atEnd_ = end != ChunkEnd::Full;
            if (end == ChunkEnd::Stopped)
                return false;
        } else if (!owner_->TakeChunk(*read_, chunk_)) {
            return false;
        }
        if (atEnd_ && chunk_.entries.empty())
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
    if (!read_ && !rule_ && entry.kind == EntryKind::Unknown)
        dir_->Stat(entry, 0, ignored);
}

ChunkEnd ReadChunk(Directory& dir, const FolderReadRule& rule, StatxRing* ring, EntryChunk& chunk,
                   std::vector<std::string>* subfolders, const std::atomic<bool>* passedBy) {
    chunk.names.clear();
    chunk.entries.clear();
    std::vector<std::uint32_t> pending; // entries whose details the ring fetches
    std::vector<unsigned> fields;
    std::vector<bool> looked(0);
    ChunkEnd end = ChunkEnd::Full;
    DirEntry e;
    EntryDetails details;
    while (chunk.entries.size() < ReadAhead::kChunkEntries) {
        if ((passedBy && passedBy->load(std::memory_order_relaxed)) ||
            (rule.terminated && rule.terminated->load(std::memory_order_relaxed))) {
            end = ChunkEnd::Stopped;
            break;
        }
        if (!dir.Next(e)) {
            end = ChunkEnd::AtEnd;
            break;
        }
        // Every entry is passed on, so the search thread takes the same steps for each.
        // An excluded name is passed on like "." and "..": never read into or looked at.
        const bool dots = e.IsDotOrDotDot() || (rule.excluded && rule.excluded->Matches(e.Name()));
        const bool matches = !dots && rule.mask->Matches(e.Name());
        const bool look = !dots && (matches || rule.withSubfolders);
        const bool listed = look && matches && !rule.onlyFolders; // a file, its row needs details
        ReadEntry entry;
        entry.nameOffset = static_cast<std::uint32_t>(chunk.names.size());
        entry.nameLength = static_cast<std::uint32_t>(e.nameLength);
        // A file whose row needs no details is not looked up at all, as without the ring.
        const bool detailsWanted = listed && rule.fileFields != 0;
        if (ring && look &&
            (e.kind == EntryKind::Unknown || (detailsWanted && e.kind != EntryKind::Directory))) {
            pending.push_back(static_cast<std::uint32_t>(chunk.entries.size()));
            fields.push_back(listed ? rule.fileFields : 0);
        } else if (look) {
            if (e.kind == EntryKind::Unknown)
                dir.Stat(e, 0, details);
            if (listed && e.kind != EntryKind::Directory) {
                entry.hasDetails = true;
                dir.Stat(e, rule.fileFields, entry.details);
            }
        }
        entry.kind = e.kind;
        chunk.names.append(e.name, e.nameLength).push_back('\0');
        chunk.entries.push_back(entry);
        looked.push_back(look);
    }
    if (!pending.empty()) {
        std::vector<DirEntry> asked(pending.size());
        std::vector<EntryDetails> got(pending.size());
        std::unique_ptr<bool[]> ok(new bool[pending.size()]);
        for (std::size_t i = 0; i < pending.size(); ++i) {
            const ReadEntry& entry = chunk.entries[pending[i]];
            asked[i] = {chunk.names.data() + entry.nameOffset, entry.nameLength, entry.kind};
        }
        dir.StatEach(asked, fields, got, std::span(ok.get(), pending.size()), *ring);
        for (std::size_t i = 0; i < pending.size(); ++i) {
            ReadEntry& entry = chunk.entries[pending[i]];
            entry.kind = asked[i].kind;
            if (fields[i] != 0 && entry.kind != EntryKind::Directory) {
                entry.hasDetails = true;
                entry.details = got[i];
            }
        }
    }
    if (subfolders && rule.withSubfolders)
        for (std::size_t i = 0; i < chunk.entries.size(); ++i)
            if (looked[i] && chunk.entries[i].kind == EntryKind::Directory)
                subfolders->emplace_back(chunk.names.data() + chunk.entries[i].nameOffset,
                                         chunk.entries[i].nameLength);
    return end;
}

ReadAhead::ReadAhead(FolderReadRule rule, unsigned helpers) : rule_(std::move(rule)) {
    for (unsigned i = 0; i < helpers + rule_.diskHelpers; ++i)
        helpers_.emplace_back([this, forDisk = i >= helpers] { Help(forDisk); });
}

ReadAhead::~ReadAhead() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        Changed(true);
        diskWake_.notify_all();
    }
    for (std::thread& t : helpers_)
        t.join();
}

bool ReadAhead::Stopping() const {
    return stopping_ || rule_.terminated->load(std::memory_order_relaxed);
}

std::optional<FolderEntries> ReadAhead::Take(FolderStack& stack) {
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
    return std::nullopt;
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

void ReadAhead::Help(bool forDisk) {
    std::unique_ptr<StatxRing> ring; // made for the first folder: a helper may never read one
    bool ringMade = false;
    DiskWaitProbe probe;
    std::unique_lock lock(mutex_);
    while (!Stopping()) {
        const std::shared_ptr<FolderRead> next = forDisk && !DiskSlow() ? nullptr : NextToRead();
        if (!next) {
            Rest(lock, forDisk);
            continue;
        }
        next->state = FolderRead::State::Reading;
        lock.unlock();
        if (!ringMade && rule_.statBatches)
            ring = StatxRing::Make();
        ringMade = true;
        probe.Start();
        Read(*next, ring && ring->Usable() ? ring.get() : nullptr);
        if (probe.Waited() && rule_.pace->MarkSlow())
            diskWake_.notify_all();
        lock.lock();
    }
}

// The first folder no thread reads yet within the window, but for the one the search thread
// enters next: it reads that one itself rather than wait for it.
std::shared_ptr<FolderRead> ReadAhead::NextToRead() const {
    const std::size_t window = DiskSlow() ? kSlowWindow : kWindow;
    std::size_t seen = 0;
    for (const auto& read : order_) {
        if (++seen > window)
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

void ReadAhead::Rest(std::unique_lock<std::mutex>& lock, bool forDisk) {
    if (forDisk && !DiskSlow()) {
        diskWake_.wait_for(lock, kDiskPoll);
        return;
    }
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
void ReadAhead::Read(FolderRead& read, StatxRing* ring) {
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
    while (complete) {
        const ChunkEnd end = ReadChunk(*dir, rule_, ring, chunk, &subfolders, &read.passedBy);
        if (end == ChunkEnd::AtEnd)
            break;
        if (end == ChunkEnd::Stopped || !Deliver(read, chunk))
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
