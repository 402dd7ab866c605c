#include "search/search_thread.h"

#include "platform/locale.h"
#include "platform/paths.h"
#include "results/columns.h"
#include "search/formatting.h"

TSearchThread::TSearchThread(SearchRequest request, SearchSink& sink)
    : request_(std::move(request)), sink_(sink), mask_(request_.mask),
      upperMask_(UpperCase(request_.mask)),
      mountsNotToEnter_(request_.mountsNotToEnter.begin(), request_.mountsNotToEnter.end()) {
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
}

void TSearchThread::Execute() {
    lastFlush_ = Now();
    const auto walk = [this](const std::string& root) {
        FolderStack stack(paths::WithoutTrailingSeparator(root));
        if (stayOnVolume_)
            volumeDevice_ = stack.Top().Device();
        if (request_.options.structureMode == ModeNone)
            ListFolder(stack);
        else
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

// Depth-first without recursion: one frame per folder from the root to the one being read,
// so the depth of a tree is limited by memory, not by the thread's stack.
void TSearchThread::ListFolder(FolderStack& stack) {
    struct Frame {
        std::vector<std::string> subfolders;
        std::size_t next = 0;
    };
    std::vector<Frame> frames(1);
    ListFiles(stack, frames.back().subfolders);
    while (!frames.empty() && !Terminated()) {
        Frame& frame = frames.back();
        if (frame.next == frame.subfolders.size()) {
            frames.pop_back();
            stack.Pop();
            continue;
        }
        const std::string name = std::move(frame.subfolders[frame.next++]);
        ListSubfolder(stack, name);
        if (MayEnter(stack)) {
            frames.emplace_back();
            ListFiles(stack, frames.back().subfolders);
        } else {
            stack.Pop();
        }
    }
}

void TSearchThread::ListFiles(FolderStack& stack, std::vector<std::string>& subfolders) {
    const bool onlyFolders = request_.options.onlyFolders;
    const bool withSubfolders = request_.options.includeSubfolders;
    Directory& dir = stack.Top();
    dir.Rewind();
    bool matched = false;
    DirEntry e;
    EntryDetails details;
    for (;;) {
        Tick(); // a hand-over may bring a cancel: test after it
        if (Terminated())
            break;
        if (!dir.Next(e))
            break;
        if (e.IsDotOrDotDot())
            continue;
        const bool matches = mask_.Matches(e.Name());
        if (!matches && !withSubfolders)
            continue;
        if (e.kind == EntryKind::Unknown)
            dir.Stat(e, 0, details);
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
        statusPath_ = paths::Join(stack.Path(), e.Name());
        item_.ItemPath = statusPath_;
        item_.FolderItem = false;
        FillItem(item_.ItemPath, e, dir);
        UpdateStatus();
        AddRow();
    }
    // The folder's one row, made once its files have been read: no other row comes between.
    const std::string& folder = stack.Path();
    if (!matched || listedFolders_.contains(folder))
        return;
    item_.FolderPath = folder;
    item_.SizeText = SizeText(FolderSize(stack), request_.options.sizeUnit);
    statusPath_ = paths::WithTrailingSeparator(folder);
    UpdateStatus();
    listedFolders_.insert(folder);
    AddRow();
}

// A subfolder's own row when its name contains the mask, then the status as the walk enters
// it. Leaves the subfolder on top of the stack.
void TSearchThread::ListSubfolder(FolderStack& stack, const std::string& name) {
    const bool onlyFolders = request_.options.onlyFolders;
    const bool matches = UpperCase(name).find(upperMask_) != std::string::npos;
    if (matches && !onlyFolders) {
        DirEntry sub{name.c_str(), name.size(), EntryKind::Directory};
        item_.FolderItem = true;
        FillItem(paths::Join(stack.Path(), name), sub, stack.Top());
    }
    stack.Push(name);
    const std::string& s = stack.Path();
    if (matches && !onlyFolders) {
        if (needSize_)
            item_.SizeText = SizeText(FolderSize(stack), request_.options.sizeUnit);
        AddRow();
    } else if (matches && !listedFolders_.contains(s)) {
        item_.FolderPath = s;
        item_.SizeText = SizeText(FolderSize(stack), request_.options.sizeUnit);
        listedFolders_.insert(s);
        AddRow();
    }
    statusPath_ = s;
    UpdateStatus();
}

// A folder's size is filled in by the caller, which has the folder itself at hand.
void TSearchThread::FillItem(const std::string& path, DirEntry& entry, const Directory& dir) {
    EntryDetails d;
    dir.Stat(entry, fileFields_, d);
    const SearchOptions& o = request_.options;
    if (needSize_ && !item_.FolderItem)
        item_.SizeText = SizeText(d.size, o.sizeUnit);
    if (fileFields_ & Field::Attributes)
        item_.Attributes = AttributeText(d.attributes, true);
    if (fileFields_ & Field::Modified)
        item_.Modified = DateText(d.modified, false);
    if (fileFields_ & Field::Accessed)
        item_.LastAccess = DateText(d.accessed, false);
    if ((fileFields_ & Field::Created) && d.hasCreated)
        item_.Created = DateText(d.created, false);
    item_.ShortName.clear(); // Linux file systems keep no 8.3 names
    item_.ItemPath = path;
    if (needType_)
        item_.TypeName = typeNames_->TypeName(path, entry.kind == EntryKind::Directory);
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
        if (e.IsDotOrDotDot())
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
    pending_.statusPath = statusPath_;
    pending_.statusChanged = true;
    Tick();
}

void TSearchThread::AddRow() {
    pending_.items.push_back(std::move(item_));
    item_ = ItemRecord{};
    Tick();
}

void TSearchThread::Flush() {
    if (!pending_.items.empty() || pending_.statusChanged) {
        sink_.Synchronize(pending_);
        pending_.items.clear();
        pending_.statusChanged = false;
    }
    lastFlush_ = Now();
}

void TSearchThread::Terminate() {
    terminated_.store(true, std::memory_order_relaxed);
}
