#include "search/search_thread.h"

#include <ctime>

#include "platform/locale.h"
#include "platform/paths.h"
#include "results/columns.h"
#include "search/formatting.h"

namespace {
// Empties every text of a record, keeping the storage the texts had.
void Empty(ItemRecord& item) {
    for (std::string* text : {&item.ItemPath, &item.FolderPath, &item.SizeText, &item.Modified,
                              &item.Created, &item.LastAccess, &item.Attributes, &item.ShortName,
                              &item.TypeName, &item.FileCount, &item.SubfolderCount})
        text->clear();
    item.Numbers.known = 0;
    item.FolderItem = false;
}
} // namespace

TSearchThread::TSearchThread(SearchRequest request, SearchSink& sink)
    : request_(std::move(request)), sink_(sink), mask_(request_.mask), excluded_(request_.excluded),
      excluding_(!excluded_.Empty()),
      mountsNotToEnter_(request_.mountsNotToEnter.begin(), request_.mountsNotToEnter.end()),
      sizeTexts_(request_.options.sizeUnit), dateTexts_(request_.options.structureMode != ModeNone),
      pace_(request_.diskAlwaysSlow) {
    for (std::vector<ItemRecord>& set : sets_)
        set.resize(1);
    item_ = &Records()[0];
    batchRows_ = sink.BatchRows() ? sink.BatchRows() : SIZE_MAX;
    servesLater_ = sink.ServesLater();
    for (const ColumnSpec& c : BuildColumnSet(request_.options)) {
        switch (c.kind) {
        case ColumnKind::Size:
            needSize_ = true;
            fileFields_ |= Field::Size;
            break;
        case ColumnKind::Modified:
            fileFields_ |= Field::Modified;
            break;
        case ColumnKind::Created:
            fileFields_ |= Field::Created;
            break;
        case ColumnKind::LastAccess:
            fileFields_ |= Field::Accessed;
            break;
        case ColumnKind::Attributes:
            fileFields_ |= Field::Attributes;
            break;
        case ColumnKind::Type:
            needType_ = true;
            break;
        default:
            break;
        }
    }
    if (needType_)
        typeNames_ = std::make_unique<TypeNameLookup>();
    const FileBounds& bounds = request_.fileBounds;
    if (bounds.minSize || bounds.maxSize)
        boundFields_ |= Field::Size;
    if (bounds.newer || bounds.older)
        boundFields_ |= Field::Modified;
}

std::chrono::steady_clock::time_point TSearchThread::Now() const {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return std::chrono::steady_clock::time_point(std::chrono::seconds(now.tv_sec) +
                                                 std::chrono::nanoseconds(now.tv_nsec));
}

void TSearchThread::Execute() {
    lastFlush_ = Now();
    if (request_.statBatches)
        ring_ = StatxRing::Make();
    const auto walk = [this](const std::string& root) {
        FolderStack stack(paths::WithoutTrailingSeparator(root));
        if (stayOnVolume_)
            volumeDevice_ = stack.Top().Device();
        if (request_.options.structureMode == ModeNone) {
            StartReadAhead(ReadRule());
            ListFolder(stack);
            readAhead_.reset(); // stops and joins the helpers
        } else
            RunStructureSearch(stack);
    };
    if (request_.target != kAllDrives) {
        walk(request_.root);
    } else if (request_.driveList.empty()) {
        Flush();
        sink_.ShowNoDrivesMessage();
    } else {
        stayOnVolume_ = true;
        for (const std::string& drive : request_.driveList) {
            if (Terminated())
                break; // a cancel ends the drive loop too
            walk(drive);
        }
    }
    Flush();
    sink_.AwaitServed(); // the search ends once the window has every row
}

bool TSearchThread::MayEnter(FolderStack& stack) const {
    const bool isRoot = stack.Depth() == 1; // the folder the user chose is always read
    if (!isRoot && mountsNotToEnter_.contains(stack.Path()))
        return false;
    const Directory& dir = stack.Top();
    if (!dir.IsOpen())
        return false;
    return isRoot || !stayOnVolume_ || dir.Device() == volumeDevice_;
}

FolderReadRule TSearchThread::ReadRule() const {
    FolderReadRule rule;
    rule.mask = &mask_;
    rule.withSubfolders = request_.options.includeSubfolders;
    rule.onlyFolders = request_.options.onlyFolders;
    rule.fileFields = fileFields_ | boundFields_;
    rule.excluded = excluding_ ? &excluded_ : nullptr;
    rule.terminated = &terminated_;
    rule.statBatches = request_.statBatches;
    rule.diskHelpers = request_.diskHelpers;
    rule.pace = &pace_;
    // As MayEnter for a folder below the root.
    rule.mayEnter = [this](const std::string& path, const Directory& dir) {
        return dir.IsOpen() && !mountsNotToEnter_.contains(path) &&
               (!stayOnVolume_ || dir.Device() == volumeDevice_);
    };
    return rule;
}

void TSearchThread::StartReadAhead(FolderReadRule rule) {
    readRule_ = rule;
    const unsigned threads = WalkThreads(request_.walkThreads);
    if (threads > 1)
        readAhead_ = std::make_unique<ReadAhead>(std::move(rule), threads - 1);
}

FolderEntries TSearchThread::ReadHere(Directory& dir) {
    // Without details of files to fetch there is nothing to batch: reading a chunk at a time
    // would only cost.
    if (ring_ && ring_->Usable() && readRule_.mask && readRule_.fileFields != 0)
        return FolderEntries(dir, readRule_, *ring_);
    return FolderEntries(dir);
}

std::optional<FolderEntries> TSearchThread::Enter(FolderStack& stack) {
    std::optional<FolderEntries> entries;
    // Taken before the rules are checked: a helper's handle spares opening the folder again.
    if (readAhead_ && stack.Depth() > 1)
        entries = readAhead_->Take(stack);
    if (!MayEnter(stack))
        return std::nullopt;
    if (!entries)
        entries.emplace(ReadHere(stack.Top()));
    return entries;
}

void TSearchThread::ExpectSubfolders(FolderStack& stack, const FolderEntries& entries,
                                     const std::vector<std::string>& names) {
    if (readAhead_ && !entries.WasReadAhead() && !Terminated())
        readAhead_->Expect(stack.Path(), stack.TopHandle(), names);
}

FolderReadRule TSearchThread::CountRule() const {
    FolderReadRule rule = ReadRule();
    rule.mask = &everyName_;
    rule.withSubfolders = true;
    rule.onlyFolders = false;
    rule.fileFields = needSize_ ? Field::Size : 0;
    return rule;
}

// Depth-first without recursion: one frame per folder from the root to the one being read,
// so the depth of a tree is limited by memory, not by the thread's stack.
void TSearchThread::ListFolder(FolderStack& stack) {
    struct Frame {
        std::vector<std::string> subfolders;
        std::size_t next = 0;
    };
    std::vector<Frame> frames(1);
    if (std::optional<FolderEntries> entries = Enter(stack))
        ListFiles(stack, *entries, frames.back().subfolders);
    while (!frames.empty() && !Terminated()) {
        Frame& frame = frames.back();
        if (frame.next == frame.subfolders.size()) {
            frames.pop_back();
            stack.Pop();
            continue;
        }
        const std::string name = std::move(frame.subfolders[frame.next++]);
        ListSubfolder(stack, name);
        if (std::optional<FolderEntries> entries = Enter(stack)) {
            frames.emplace_back();
            ListFiles(stack, *entries, frames.back().subfolders);
        } else {
            stack.Pop();
        }
    }
}

void TSearchThread::ListFiles(FolderStack& stack, FolderEntries& entries,
                              std::vector<std::string>& subfolders) {
    const bool onlyFolders = request_.options.onlyFolders;
    const bool withSubfolders = request_.options.includeSubfolders;
    ListingFolder(stack.Path());
    bool matched = false;
    DirEntry e;
    const EntryDetails* known = nullptr;
    std::string prefix; // the folder's path and a separator, made at its first row
    for (;;) {
        Tick(); // a hand-over may bring a cancel: test after it
        if (Terminated())
            break;
        if (!entries.Next(e, known))
            break;
        if (e.IsDotOrDotDot() || Excluded(e.Name()))
            continue;
        const bool matches = mask_.Matches(e.Name());
        if (!matches && !withSubfolders)
            continue;
        entries.ResolveKind(e);
        if (e.kind == EntryKind::Directory) {
            if (withSubfolders)
                subfolders.emplace_back(e.Name());
            continue;
        }
        if (!matches)
            continue;
        if (onlyFolders) {
            matched = true;
            continue;
        }
        EntryDetails details;
        if (boundFields_ && !known) {
            entries.Dir().Stat(e, fileFields_ | boundFields_, details);
            known = &details;
        }
        if (boundFields_ && !request_.fileBounds.Admit(known->size, known->modified))
            continue;
        if (prefix.empty())
            prefix = paths::WithTrailingSeparator(stack.Path());
        item_->ItemPath.assign(prefix).append(e.Name());
        item_->FolderItem = false;
        FillItem(item_->ItemPath, e, entries.Dir(), known);
        statusPath_ = item_->ItemPath;
        UpdateStatus();
        AddRow();
    }
    ExpectSubfolders(stack, entries, subfolders);
    // The folder's one row, made once its files have been read: no other row comes between.
    const std::string& folder = stack.Path();
    if (!matched || listedFolders_.contains(folder))
        return;
    item_->FolderPath = folder;
    SetSize(FolderSize(stack));
    statusPath_ = paths::WithTrailingSeparator(folder);
    UpdateStatus();
    listedFolders_.insert(folder);
    AddRow();
}

// A subfolder's own row when its name contains the mask, then the status as the walk enters
// it. Leaves the subfolder on top of the stack.
void TSearchThread::ListSubfolder(FolderStack& stack, const std::string& name) {
    const bool onlyFolders = request_.options.onlyFolders;
    const bool matches = mask_.ContainedIn(name);
    if (matches && !onlyFolders) {
        DirEntry sub{name.c_str(), name.size(), EntryKind::Directory};
        item_->FolderItem = true;
        FillItem(paths::Join(stack.Path(), name), sub, stack.Top());
    }
    stack.Push(name);
    const std::string& s = stack.Path();
    if (matches && !onlyFolders) {
        if (needSize_)
            SetSize(FolderSize(stack));
        AddRow();
    } else if (matches && !listedFolders_.contains(s)) {
        item_->FolderPath = s;
        SetSize(FolderSize(stack));
        listedFolders_.insert(s);
        AddRow();
    }
    statusPath_ = s;
    UpdateStatus();
}

// A folder's size is filled in by the caller, which has the folder itself at hand.
void TSearchThread::FillItem(const std::string& path, DirEntry& entry, const Directory& dir,
                             const EntryDetails* known) {
    EntryDetails d;
    if (known)
        d = *known;
    else
        dir.Stat(entry, fileFields_, d);
    ItemNumbers& numbers = item_->Numbers;
    if (needSize_ && !item_->FolderItem)
        SetSize(d.size);
    if (fileFields_ & Field::Attributes)
        item_->Attributes = AttributeText(d.attributes, true);
    if (fileFields_ & Field::Modified) {
        dateTexts_.Assign(item_->Modified, d.modified);
        numbers.modified = d.modified;
        numbers.known |= ItemNumbers::Modified;
    }
    if (fileFields_ & Field::Accessed) {
        dateTexts_.Assign(item_->LastAccess, d.accessed);
        numbers.accessed = d.accessed;
        numbers.known |= ItemNumbers::Accessed;
    }
    if ((fileFields_ & Field::Created) && d.hasCreated) {
        dateTexts_.Assign(item_->Created, d.created);
        numbers.created = d.created;
        numbers.known |= ItemNumbers::Created;
    }
    item_->ShortName.clear(); // Linux file systems keep no 8.3 names
    if (&path != &item_->ItemPath)
        item_->ItemPath = path;
    if (needType_)
        item_->TypeName = typeNames_->TypeName(path, entry.kind);
}

void TSearchThread::SetSize(std::int64_t bytes) {
    sizeTexts_.AssignPlain(item_->SizeText, bytes);
    item_->Numbers.size = bytes;
    item_->Numbers.known |= ItemNumbers::Size;
}

// Walks a subtree once; every complete subtotal is kept, so later rows of nested folders
// need no second walk.
std::int64_t TSearchThread::FolderSize(FolderStack& stack) {
    if (auto it = folderTotals_.find(stack.Path()); it != folderTotals_.end())
        return it->second;
    if (!MayEnter(stack))
        return 0;
    struct Frame {
        std::int64_t sum = 0;
        std::vector<std::string> subfolders;
        std::size_t next = 0;
    };
    std::vector<Frame> frames(1);
    frames.back().sum = DirectSize(stack.Top(), frames.back().subfolders);
    for (;;) {
        Frame& frame = frames.back();
        if (!Terminated() && frame.next < frame.subfolders.size()) {
            stack.Push(frame.subfolders[frame.next++]);
            if (auto it = folderTotals_.find(stack.Path()); it != folderTotals_.end()) {
                frame.sum += it->second;
                stack.Pop();
            } else if (!MayEnter(stack)) {
                stack.Pop();
            } else {
                Frame child;
                child.sum = DirectSize(stack.Top(), child.subfolders);
                frames.push_back(std::move(child));
            }
            continue;
        }
        const std::int64_t sum = frame.sum;
        if (!Terminated())
            folderTotals_.emplace(stack.Path(), sum);
        frames.pop_back();
        if (frames.empty())
            return sum;
        stack.Pop();
        frames.back().sum += sum;
    }
}

std::int64_t TSearchThread::DirectSize(Directory& dir, std::vector<std::string>& subfolders) {
    std::int64_t sum = 0;
    dir.Rewind();
    DirEntry e;
    EntryDetails d;
    for (;;) {
        Tick(); // a hand-over may bring a cancel: test after it
        if (Terminated())
            break;
        if (!dir.Next(e))
            break;
        if (e.IsDotOrDotDot() || Excluded(e.Name()))
            continue;
        if (e.kind == EntryKind::Unknown)
            dir.Stat(e, 0, d);
        if (e.kind == EntryKind::Directory)
            subfolders.emplace_back(e.Name());
        else if (dir.Stat(e, Field::Size, d))
            sum += d.size;
    }
    return sum;
}

void TSearchThread::UpdateStatus() {
    pending_.statusChanged = true;
    statusToCopy_ = true;
}

void TSearchThread::KeepStatus() {
    if (statusToCopy_)
        pending_.statusPath = statusPath_;
    statusToCopy_ = false;
}

void TSearchThread::AddRow() {
    // Right after a hand-over the record being filled sits behind the handed-over ones; it
    // goes to the front (of the other set while a sink may still take this one), so the
    // records are reused from the first on.
    if (base_ != 0) {
        const std::size_t next = servesLater_ ? 1 - filling_ : filling_;
        std::swap(sets_[next][0], Records()[current_]);
        filling_ = next;
        base_ = current_ = 0;
    }
    if (++current_ == Records().size())
        Records().emplace_back();
    item_ = &Records()[current_];
}

void TSearchThread::Flush() {
    if (current_ > base_ || pending_.statusChanged) {
        KeepStatus();
        if (servesLater_) {
            HandOverLater();
        } else {
            pending_.items = std::span(Records().data() + base_, current_ - base_);
            sink_.Synchronize(pending_);
            for (ItemRecord& item : pending_.items)
                Empty(item);
            pending_.items = {};
        }
        pending_.statusChanged = false;
        base_ = current_; // the record being filled stays where it is: it may be in use
    }
    lastFlush_ = Now();
}

void TSearchThread::HandOverLater() {
    sink_.AwaitServed(); // the batch before has been taken: the other set is free again
    const std::size_t other = 1 - filling_;
    for (std::size_t i = 0; i < handedRows_[other]; ++i)
        Empty(sets_[other][i]);
    handedRows_[other] = 0;
    HandOver& h = handOvers_[nextHandOver_];
    nextHandOver_ = 1 - nextHandOver_;
    h.items = std::span(Records().data() + base_, current_ - base_);
    h.statusPath = pending_.statusPath;
    h.statusChanged = pending_.statusChanged;
    if (current_ > base_)
        handedRows_[filling_] = current_;
    sink_.Synchronize(h);
}

void TSearchThread::Terminate() {
    terminated_.store(true, std::memory_order_relaxed);
}
