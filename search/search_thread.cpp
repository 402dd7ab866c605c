#include "search/search_thread.h"

#include "platform/locale.h"
#include "platform/paths.h"
#include "results/columns.h"
#include "search/formatting.h"

namespace {
constexpr auto kHandOverInterval = std::chrono::milliseconds(50);

// A record with every text empty, keeping the storage the texts had.
ItemRecord Emptied(ItemRecord&& item) {
    for (std::string* text :
         {&item.ItemPath, &item.FolderPath, &item.SizeText, &item.Modified, &item.Created,
          &item.LastAccess, &item.Attributes, &item.ShortName, &item.TypeName, &item.FileCount,
          &item.SubfolderCount})
        text->clear();
    item.FolderItem = false;
    return std::move(item);
}

} // namespace

TSearchThread::TSearchThread(SearchRequest request, SearchSink& sink)
    : request_(std::move(request)), sink_(sink), mask_(request_.mask),
      upperMask_(UpperCase(request_.mask)),
      mountsNotToEnter_(request_.mountsNotToEnter.begin(), request_.mountsNotToEnter.end()),
      sizeTexts_(request_.options.sizeUnit),
      dateTexts_(request_.options.structureMode != ModeNone) {
    for (const ColumnSpec& c : BuildColumnSet(request_.options)) {
        switch (c.kind) {
        case ColumnKind::Size: needSize_ = true; fileFields_ |= Field::Size; break;
        case ColumnKind::Modified: fileFields_ |= Field::Modified; break;
        case ColumnKind::Created: fileFields_ |= Field::Created; break;
        case ColumnKind::LastAccess: fileFields_ |= Field::Accessed; break;
        case ColumnKind::Attributes: fileFields_ |= Field::Attributes; break;
        case ColumnKind::Type: needType_ = true; break;
        default: break;
        }
    }
    if (needType_) typeNames_ = std::make_unique<TypeNameLookup>();
}

void TSearchThread::Execute() {
    lastFlush_ = std::chrono::steady_clock::now();
    const auto walk = [this](const std::string& root) {
        if (request_.options.structureMode == ModeNone) {
            const unsigned threads = WalkThreads(request_.walkThreads);
            if (threads > 1)
                readAhead_ = std::make_unique<ReadAhead>(ReadRule(), threads - 1);
            FolderEntries entries(std::make_shared<Directory>(Directory::Open(root)));
            ListFolder(root, entries);
            readAhead_.reset();
        } else {
            RunStructureSearch(root);
        }
    };
    if (request_.target != kAllDrives) {
        walk(request_.root);
    } else if (request_.driveList.empty()) {
        Flush();
        sink_.ShowNoDrivesMessage();
    } else {
        for (const std::string& drive : request_.driveList) {
            if (Terminated()) break; // a cancel ends the drive loop too
            const Directory probe = Directory::Open(drive);
            stayOnVolume_ = true;
            volumeDevice_ = probe.Device();
            walk(paths::WithTrailingSeparator(drive));
        }
    }
    Flush();
}

FolderReadRule TSearchThread::ReadRule() const {
    FolderReadRule rule;
    rule.mask = &mask_;
    rule.withSubfolders = request_.options.includeSubfolders;
    rule.onlyFolders = request_.options.onlyFolders;
    rule.fileFields = fileFields_;
    rule.terminated = &terminated_;
    rule.mayEnter = [this](const std::string& path, const Directory& dir) {
        return MayEnter(path, dir);
    };
    return rule;
}

bool TSearchThread::MayEnter(const std::string& path, const Directory& dir) const {
    if (!dir.IsOpen() || mountsNotToEnter_.contains(path)) return false;
    return !stayOnVolume_ || dir.Device() == volumeDevice_;
}

void TSearchThread::ListFolder(const std::string& path, FolderEntries& entries) {
    ListingFolder(path);
    const Directory& dir = entries.Dir();
    const std::string p = paths::WithTrailingSeparator(path);
    const bool onlyFolders = request_.options.onlyFolders;
    const bool withSubfolders = request_.options.includeSubfolders;
    std::vector<std::string> subfolders;

    // File pass and, in the same enumeration, the subfolders for the pass after it.
    DirEntry e;
    const EntryDetails* known = nullptr;
    for (;;) {
        if (Terminated()) return;
        if (!entries.Next(e, known)) break;
        if (e.IsDotOrDotDot()) continue;
        const bool matches = mask_.Matches(e.Name());
        if (!matches && !withSubfolders) continue;
        entries.ResolveKind(e);
        if (e.kind == EntryKind::Directory) {
            if (withSubfolders) subfolders.emplace_back(e.Name());
            continue;
        }
        if (!matches) continue;
        if (!onlyFolders) {
            statusPath_.assign(p).append(e.Name());
            item_.ItemPath = statusPath_;
            item_.FolderItem = false;
            FillItem(item_.ItemPath, e, dir, known);
            UpdateStatus();
            AddRow();
        } else {
            const std::string folder = paths::WithoutTrailingSeparator(p);
            if (listedFolders_.contains(folder)) continue; // its row exists already
            item_.FolderPath = folder;
            sizeTexts_.AssignPlain(item_.SizeText, FolderSize(folder));
            statusPath_ = p;
            UpdateStatus();
            listedFolders_.insert(folder);
            AddRow();
        }
    }

    // Subfolder pass, depth-first in enumeration order.
    if (readAhead_ && !entries.WasReadAhead()) readAhead_->Expect(p, entries.SharedDir(), subfolders);
    for (const std::string& name : subfolders) {
        if (Terminated()) return;
        const std::string s = p + name;
        if (UpperCase(name).find(upperMask_) != std::string::npos) {
            if (onlyFolders) {
                if (!listedFolders_.contains(s)) {
                    item_.FolderPath = s;
                    sizeTexts_.AssignPlain(item_.SizeText, FolderSize(s));
                    listedFolders_.insert(s);
                    AddRow();
                }
            } else {
                DirEntry sub{name.c_str(), name.size(), EntryKind::Directory};
                item_.FolderItem = true;
                FillItem(s, sub, dir);
                AddRow();
            }
        }
        statusPath_ = s;
        UpdateStatus();
        FolderEntries child =
            readAhead_ ? readAhead_->Enter(s, entries.SharedDir(), name)
                       : FolderEntries(std::make_shared<Directory>(dir.OpenChild(name.c_str())));
        // A folder read ahead and deleted since is gone, as it would be when opened now.
        if (MayEnter(s, child.Dir()) && !(child.WasReadAhead() && child.Dir().Removed()))
            ListFolder(s, child);
    }
}

void TSearchThread::FillItem(const std::string& path, DirEntry& entry, const Directory& dir,
                             const EntryDetails* known) {
    EntryDetails d;
    if (known) d = *known;
    else dir.Stat(entry, fileFields_, d);
    if (needSize_) sizeTexts_.AssignPlain(item_.SizeText, item_.FolderItem ? FolderSize(path) : d.size);
    if (fileFields_ & Field::Attributes) item_.Attributes = AttributeText(d.attributes, true);
    if (fileFields_ & Field::Modified) dateTexts_.Assign(item_.Modified, d.modified);
    if (fileFields_ & Field::Accessed) dateTexts_.Assign(item_.LastAccess, d.accessed);
    if ((fileFields_ & Field::Created) && d.hasCreated) dateTexts_.Assign(item_.Created, d.created);
    item_.ShortName.clear(); // Linux file systems keep no 8.3 names
    if (&path != &item_.ItemPath) item_.ItemPath = path;
    if (needType_) item_.TypeName = typeNames_->TypeName(path, entry.kind == EntryKind::Directory);
}

std::int64_t TSearchThread::FolderSize(const std::string& path) {
    const std::string folder = paths::WithoutTrailingSeparator(path);
    if (auto it = folderTotals_.find(folder); it != folderTotals_.end()) return it->second;
    bool complete = true;
    return FolderSizeOf(Directory::Open(folder), folder, complete);
}

// Walks a subtree once; every complete subtotal is kept, so later rows of nested folders
// need no second walk.
std::int64_t TSearchThread::FolderSizeOf(Directory dir, const std::string& path, bool& complete) {
    std::int64_t sum = 0;
    DirEntry e;
    EntryDetails d;
    for (;;) {
        if (Terminated()) {
            complete = false;
            return sum;
        }
        if (!dir.Next(e)) break;
        if (e.IsDotOrDotDot()) continue;
        if (e.kind == EntryKind::Unknown) dir.Stat(e, 0, d);
        if (e.kind == EntryKind::Directory) {
            std::string child = paths::Join(path, e.Name());
            if (auto it = folderTotals_.find(child); it != folderTotals_.end()) {
                sum += it->second;
                continue;
            }
            Directory sub = dir.OpenChild(e.name);
            if (MayEnter(child, sub)) sum += FolderSizeOf(std::move(sub), child, complete);
        } else if (dir.Stat(e, Field::Size, d)) {
            sum += d.size;
        }
    }
    if (complete) folderTotals_.emplace(path, sum);
    return sum;
}

void TSearchThread::UpdateStatus() {
    pending_.statusPath = statusPath_;
    pending_.statusChanged = true;
    if (std::chrono::steady_clock::now() - lastFlush_ >= kHandOverInterval) Flush();
}

void TSearchThread::AddRow() {
    pending_.items.push_back(std::move(item_));
    if (recycled_.empty()) {
        item_ = ItemRecord{};
    } else {
        item_ = std::move(recycled_.back());
        recycled_.pop_back();
    }
    if (std::chrono::steady_clock::now() - lastFlush_ >= kHandOverInterval) Flush();
}

void TSearchThread::Flush() {
    if (!pending_.items.empty() || pending_.statusChanged) {
        sink_.Synchronize(pending_);
        for (ItemRecord& item : pending_.items) recycled_.push_back(Emptied(std::move(item)));
        pending_.items.clear();
        pending_.statusChanged = false;
    }
    lastFlush_ = std::chrono::steady_clock::now();
}

void TSearchThread::Terminate() { terminated_.store(true, std::memory_order_relaxed); }
