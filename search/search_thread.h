#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/directory.h"
#include "platform/mask_matcher.h"
#include "platform/type_names.h"
#include "search/date_texts.h"
#include "search/read_ahead.h"
#include "search/item_record.h"
#include "search/search_request.h"
#include "search/size_texts.h"

// What the walker hands to the window thread in one synchronous call: the rows found
// since the last hand-over, in order, and the path the status bar shows now.
struct HandOver {
    std::vector<ItemRecord> items;
    std::string statusPath;
    bool statusChanged = false;
};

// The window side of a search: runs on the window thread, blocking the walker meanwhile.
class SearchSink {
public:
    virtual ~SearchSink() = default;
    virtual void Synchronize(HandOver& handOver) = 0;   // UpdateStatus and AddRow
    virtual void ShowNoDrivesMessage() = 0;              // all drives, but none known
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
    // Plain listing of one folder and, with subfolders, of its subtree.
    void ListFolder(const std::string& path, FolderEntries& entries);
    // known: the entry's details when a helper fetched them already.
    void FillItem(const std::string& path, DirEntry& entry, const Directory& dir,
                  const EntryDetails* known = nullptr);
    // Total size of all files below a folder; partial after a cancel.
    std::int64_t FolderSize(const std::string& path);
    std::int64_t FolderSizeOf(Directory dir, const std::string& path, bool& complete);

    void UpdateStatus();
    void AddRow();
    void Flush();

    // The two structure listings, for one start folder.
    void RunStructureSearch(const std::string& root);

    bool MayEnter(const std::string& path, const Directory& dir) const;
    FolderReadRule ReadRule() const;

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
    void StructureRoot(const std::string& path);
    void StructureWalk(const std::string& path, const Directory& dir, StructureNode& node);
    // One enumeration: the folder's own files (number, size) and its direct subfolders.
    void DirectFilesSize(Directory& dir, StructureNode& node);
    // Totals over the whole subtree, every folder enumerated once; partial after a cancel.
    void SubtreeTotals(Directory& dir, std::string& path, StructureNode& node);
    void CountFolder(Directory& dir, std::string& path, StructureNode& node);
    void FolderEntryInfo(const std::string& path);
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

    ItemRecord item_;
    std::string statusPath_;
    bool SingleFolderMode = false;

    unsigned fileFields_ = 0;   // details a shown column needs
    bool needType_ = false;
    bool needSize_ = false;
    MaskMatcher mask_;
    std::string upperMask_;
    std::unique_ptr<TypeNameLookup> typeNames_;
    std::unordered_map<std::string, std::int64_t> folderTotals_; // subtree totals of this search
    std::unordered_set<std::string> listedFolders_;              // only-folders rows made
    std::unordered_set<std::string> mountsNotToEnter_;
    std::uint64_t volumeDevice_ = 0;
    bool stayOnVolume_ = false;

    HandOver pending_;
    std::vector<ItemRecord> recycled_; // handed-over records, emptied; their storage is reused
    std::chrono::steady_clock::time_point lastFlush_;
    SizeTexts sizeTexts_;
    DateTexts dateTexts_;
    std::unique_ptr<ReadAhead> readAhead_; // during a plain listing with helper threads
};
