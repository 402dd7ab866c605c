#pragma once
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/directory.h"
#include "platform/folder_stack.h"
#include "platform/statx_ring.h"
#include "platform/type_names.h"
#include "search/date_texts.h"
#include "search/item_record.h"
#include "search/name_filter.h"
#include "search/read_ahead.h"
#include "search/search_request.h"
#include "search/size_texts.h"

// What the walker hands to the window thread in one synchronous call: the rows found
// since the last hand-over, in order, and the path the status bar shows now.
struct HandOver {
    std::span<ItemRecord> items;
    std::string statusPath;
    bool statusChanged = false;
};

// The window side of a search: runs on the window thread, blocking the walker meanwhile.
class SearchSink {
  public:
    virtual ~SearchSink() = default;
    virtual void Synchronize(HandOver& handOver) = 0; // UpdateStatus and AddRow
    virtual void ShowNoDrivesMessage() = 0;           // all drives, but none known
    // Rows worth a hand-over before its time has come; 0: only the time counts. A sink on the
    // walking thread takes small batches, which stay in the processor's cache.
    virtual std::size_t BatchRows() const { return 0; }
    // A sink that takes hand-overs on another thread may return from Synchronize before it has
    // taken them, so the walk reads on meanwhile; the walker leaves what it handed over alone
    // until the next Synchronize or AwaitServed has returned.
    virtual bool ServesLater() const { return false; }
    // Returns once every hand-over so far has been taken.
    virtual void AwaitServed() {}
};

// One search, walked on whatever thread calls Execute.
class TSearchThread {
  public:
    TSearchThread(SearchRequest request, SearchSink& sink);
    virtual ~TSearchThread() = default;

    void Execute();
    void Terminate();
    bool Terminated() const { return terminated_.load(std::memory_order_relaxed); }
    const SearchRequest& Request() const { return request_; }

  protected:
    // Plain listing of the folder on top of the stack and, with subfolders, of its subtree.
    void ListFolder(FolderStack& stack);
    // File pass of one folder: its rows, and its subfolders for the pass after it.
    void ListFiles(FolderStack& stack, FolderEntries& entries,
                   std::vector<std::string>& subfolders);
    void ListSubfolder(FolderStack& stack, const std::string& name);
    // known: the entry's details when a helper fetched them already.
    void FillItem(const std::string& path, DirEntry& entry, const Directory& dir,
                  const EntryDetails* known = nullptr);
    // The size cell of the record being filled, text and number.
    void SetSize(std::int64_t bytes);
    // Total size of all files below the folder on top of the stack; partial after a cancel.
    // A folder the walk may not enter (a pseudo file system, another volume) totals 0.
    std::int64_t FolderSize(FolderStack& stack);
    // Sums one folder's files and collects its subfolders.
    std::int64_t DirectSize(Directory& dir, std::vector<std::string>& subfolders);

    // The status bar is to show statusPath_; it is copied for the window only at a hand-over.
    void UpdateStatus();
    // Takes statusPath_ for the next hand-over now, before it is changed without a new status.
    void KeepStatus();
    // Adds the record being filled; the caller ticks when no entry is read before the next.
    void AddRow();
    void Flush();
    // The pending rows for a sink that serves later, from the other set of records than the
    // batch it may still be taking.
    void HandOverLater();
    std::vector<ItemRecord>& Records() { return sets_[filling_]; }
    // Called for every entry read: hands over what is pending at least every 50 ms.
    void Tick() {
        if (current_ - base_ >= batchRows_ || Now() - lastFlush_ >= kHandOverInterval)
            Flush();
    }
    // The clock that decides when to hand over; a test may drive its own. The coarse clock
    // is read once per entry: it costs a memory read where the fine one costs a clock read.
    virtual std::chrono::steady_clock::time_point Now() const;
    static constexpr std::chrono::milliseconds kHandOverInterval{50};

    // The two structure listings, for one start folder.
    void RunStructureSearch(FolderStack& stack);

    // Names left out of every listing, count and total.
    bool Excluded(std::string_view name) const { return excluding_ && excluded_.Matches(name); }
    // Whether the walk goes into the folder on top of the stack; the root always.
    bool MayEnter(FolderStack& stack) const;
    // The reading that follows: by this rule, with helper threads when more than one thread is
    // to read.
    void StartReadAhead(FolderReadRule rule);
    // The entries of a folder the search thread reads itself.
    FolderEntries ReadHere(Directory& dir);
    // The entries of the folder on top of the stack when the walk may go into it: a helper's
    // reading, or read now.
    std::optional<FolderEntries> Enter(FolderStack& stack);
    // After the search thread read a folder itself: its subfolders are what helpers read next.
    void ExpectSubfolders(FolderStack& stack, const FolderEntries& entries,
                          const std::vector<std::string>& names);
    // How helpers read ahead the folders below the root, as ListFiles reads them.
    FolderReadRule ReadRule() const;
    // The same for the count of a structure listing: every entry, sizes when shown.
    FolderReadRule CountRule() const;

    // --- Structure listings (structure_search.cpp) -------------------------------------
    struct FolderTotals {
        std::int64_t size = 0, files = 0, subfolders = 0;
    };
    // A folder met while counting; its subfolders in enumeration order.
    struct StructureNode {
        std::string name;
        FolderTotals totals;
        std::vector<StructureNode> children;
    };
    void StructureRoot(FolderStack& stack);
    void StructureWalk(FolderStack& stack, StructureNode& root);
    // One enumeration of the folder on top of the stack: its own files (number, size) and its
    // direct subfolders.
    void DirectFilesSize(FolderStack& stack, FolderEntries& entries, StructureNode& node);
    // Totals over the whole subtree, every folder enumerated once; partial after a cancel.
    void SubtreeTotals(FolderStack& stack, StructureNode& root);
    void CountFolder(FolderStack& stack, StructureNode& node);
    void FolderEntryInfo(FolderStack& stack);
    static std::string ShortPath(const std::string& path);
    void FillStructureRow(const std::string& folderPath, const FolderTotals& totals);
    // Runs as the counting enters a folder; a subclass may follow or cancel the count there.
    virtual void CountingFolder(const std::string& path) { (void)path; }
    // Runs as the plain listing enters a folder, likewise.
    virtual void ListingFolder(const std::string& path) { (void)path; }

    unsigned entryFields_ = 0; // what the folder's own entry must give (created, attributes)
    bool needShortPath_ = false;

    SearchRequest request_;
    SearchSink& sink_;
    std::atomic<bool> terminated_{false};

    // The record being filled; it is the slot after the pending ones, so adding it as a row
    // moves nothing.
    ItemRecord* item_ = nullptr;
    std::string statusPath_;
    bool statusToCopy_ = false;
    bool SingleFolderMode = false;

    unsigned fileFields_ = 0;  // details a shown column needs
    unsigned boundFields_ = 0; // details the file bounds need besides
    bool needType_ = false;
    bool needSize_ = false;
    NameFilter mask_;
    NameFilter everyName_{"*"};
    NameFilter excluded_;
    bool excluding_ = false;
    std::unique_ptr<TypeNameLookup> typeNames_;
    std::unordered_map<std::string, std::int64_t> folderTotals_; // subtree totals of this search
    std::unordered_set<std::string> listedFolders_;              // only-folders rows made
    std::unordered_set<std::string> mountsNotToEnter_;
    std::uint64_t volumeDevice_ = 0; // of the drive an all-drives walk is on
    bool stayOnVolume_ = false;

    HandOver pending_;
    // Records from base_ up to current_ wait for the hand-over; current_ is being filled.
    // Emptied records keep their storage for the next rows. A sink that serves later takes the
    // two sets in turn, one being filled while it takes the other.
    std::array<std::vector<ItemRecord>, 2> sets_;
    std::size_t filling_ = 0;
    std::array<std::size_t, 2> handedRows_{}; // of each set, handed over and not emptied yet
    std::array<HandOver, 2> handOvers_;       // taken in turn by a sink that serves later
    std::size_t nextHandOver_ = 0;
    bool servesLater_ = false;
    std::size_t base_ = 0, current_ = 0;
    std::size_t batchRows_ = SIZE_MAX; // a hand-over once this many rows are pending
    std::chrono::steady_clock::time_point lastFlush_;
    SizeTexts sizeTexts_;
    DateTexts dateTexts_;
    mutable DiskPace pace_; // whether the disk keeps the walk waiting now; shared by its threads
    std::unique_ptr<ReadAhead> readAhead_; // during a plain listing or a count, with helpers
    FolderReadRule readRule_;              // how the walk reads the folders it reads itself
    std::unique_ptr<StatxRing> ring_;      // the search thread's, with batches of details
};
