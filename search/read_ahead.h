#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/directory.h"
#include "platform/disk_wait.h"
#include "platform/folder_stack.h"
#include "search/name_filter.h"

// What the plain listing reads of each folder; a helper reads it the same way.
struct FolderReadRule {
    const NameFilter* mask = nullptr;
    const NameFilter* excluded = nullptr; // names the listing passes over; none when null
    bool withSubfolders = false, onlyFolders = false;
    unsigned fileFields = 0; // details of a matching file the listing needs
    const std::atomic<bool>* terminated = nullptr;
    std::function<bool(const std::string&, const Directory&)> mayEnter;
    bool statBatches = false; // each reading thread fetches details through its own ring
    // Further helpers that read ahead only while the disk keeps the readers waiting: on a cold
    // disk more reads are in flight than there are cores.
    unsigned diskHelpers = 0;
    DiskPace* pace = nullptr; // the walk's: the helpers above read while it is slow
};

// One entry a helper read, with the details the row will need when it is a matching file.
struct ReadEntry {
    std::uint32_t nameOffset = 0, nameLength = 0;
    EntryKind kind = EntryKind::Unknown;
    bool hasDetails = false;
    EntryDetails details;
};

struct EntryChunk {
    std::string names; // each name followed by a NUL
    std::vector<ReadEntry> entries;
};

struct FolderRead;
class ReadAhead;
class StatxRing;

// How a reading of entries into a chunk ended.
enum class ChunkEnd { Full, AtEnd, Stopped };

// Reads the next entries of dir into chunk (emptied first), at most kChunkEntries, as the
// file pass of the listing takes them: each with its kind, and the files it lists with their
// details, fetched through ring when there is one. The names of the subfolders are added to
// subfolders in order, when it is given.
ChunkEnd ReadChunk(Directory& dir, const FolderReadRule& rule, StatxRing* ring, EntryChunk& chunk,
                   std::vector<std::string>* subfolders, const std::atomic<bool>* passedBy);

// The entries of one folder in enumeration order, as the listing takes them: read now from
// the directory, or taken from what a helper read ahead.
class FolderEntries {
  public:
    // Read now, from the first entry on.
    explicit FolderEntries(Directory& dir);
    // Read now a chunk at a time, the details of each chunk's files fetched through the ring.
    FolderEntries(Directory& dir, const FolderReadRule& rule, StatxRing& ring);
    FolderEntries(std::shared_ptr<FolderRead> read, ReadAhead& owner);

    // The next entry; known is set to its details when a helper fetched them already.
    bool Next(DirEntry& entry, const EntryDetails*& known);
    // The kind of an entry whose directory record gave none.
    void ResolveKind(DirEntry& entry);
    // The directory the entries are in, for details not fetched yet.
    const Directory& Dir() const { return *dir_; }
    bool WasReadAhead() const { return read_ != nullptr; }

  private:
    Directory* dir_;
    std::shared_ptr<Directory> helperDir_; // a helper's handle, kept while it is read
    std::shared_ptr<FolderRead> read_;
    ReadAhead* owner_ = nullptr;
    const FolderReadRule* rule_ = nullptr; // read a chunk at a time
    StatxRing* ring_ = nullptr;
    bool atEnd_ = false;
    EntryChunk chunk_;
    std::size_t next_ = 0;
};

// Helper threads that read the folders coming next in depth-first order while the search
// thread lists the current one. The search thread still takes every folder in exactly the
// order of a walk without helpers; what a helper has not read yet it reads itself. At most
// kWindow folders (kSlowWindow on a slow disk) are read ahead, each buffered up to kChunks ×
// kChunkEntries entries.
//
// Helpers leave the folder the search thread enters next to it, and a thread that waits spins
// briefly before it sleeps: handing every folder from one thread to the other through the
// scheduler costs more than reading it.
class ReadAhead {
  public:
    static constexpr std::size_t kWindow = 32, kChunks = 2, kChunkEntries = 1024;
    static constexpr std::size_t kSlowWindow = 128; // while the disk is slow

    ReadAhead(FolderReadRule rule, unsigned helpers);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The entries of the folder on top of the stack, which the search thread enters now: a
    // helper's when one read the folder its name still leads to (the stack then takes the
    // helper's handle); none when the search thread is to read it itself.
    std::optional<FolderEntries> Take(FolderStack& stack);
    // The subfolders of a folder the search thread read itself, in order: they come next.
    void Expect(const std::string& folderPath, std::shared_ptr<Directory> folder,
                const std::vector<std::string>& names);

  private:
    friend class FolderEntries;
    void Help(bool forDisk);
    bool DiskSlow() const { return rule_.pace->Slow(); }
    std::shared_ptr<FolderRead> NextToRead() const;
    void Read(FolderRead& read, StatxRing* ring);
    bool Deliver(FolderRead& read, EntryChunk& chunk);
    bool TakeChunk(FolderRead& read, EntryChunk& out);
    bool Stopping() const;
    // The search thread waits for a helper, with the lock held, until done() or a stop; it
    // spins before it sleeps.
    template <typename Done> void Await(std::unique_lock<std::mutex>& lock, Done done);
    // A helper waits for work or room, with the lock held; one for a slow disk, while the
    // disk is quick, waits until it is slow.
    void Rest(std::unique_lock<std::mutex>& lock, bool forDisk = false);
    // After a change under the lock: wakes the search thread, and the helpers when asked.
    void Changed(bool forHelpers);

    FolderReadRule rule_;
    std::mutex mutex_;
    std::condition_variable searchWake_, helperWake_, diskWake_;
    std::atomic<std::uint64_t> changes_{0}; // counts Changed(), watched while spinning
    int searchAsleep_ = 0, helpersAsleep_ = 0;
    std::size_t taken_ = 0;                        // folders the search thread has taken
    std::list<std::shared_ptr<FolderRead>> order_; // front: the folder entered next
    bool stopping_ = false;
    std::vector<std::thread> helpers_;
};

// Walking threads for a search asked for with threads (0: the default, the search thread alone).
unsigned WalkThreads(unsigned threads);
// The helpers for a slow disk PATHQUILL_DISK_HELPERS in the environment (given) asks for:
// 0 to 8, the default otherwise.
unsigned DiskHelpersWanted(const char* environmentValue, unsigned byDefault);
