#include "search/search_thread.h"

#include "platform/paths.h"
#include "results/columns.h"
#include "search/formatting.h"

// One row per folder. Mode 1 counts the whole subtree of the start folder in one pass and
// then hands the rows over from that count, start folder first, each folder before the
// folders below it. Mode 2 reads each folder once, just before its row.

void TSearchThread::RunStructureSearch(FolderStack& stack) {
    entryFields_ = 0;
    needShortPath_ = false;
    for (const ColumnSpec& c : BuildColumnSet(request_.options)) {
        if (c.kind == ColumnKind::Created)
            entryFields_ |= Field::Created;
        if (c.kind == ColumnKind::Attributes)
            entryFields_ |= Field::Attributes;
        if (c.kind == ColumnKind::ShortName)
            needShortPath_ = true;
    }
    SingleFolderMode = request_.options.structureMode == ModeSingleFolders;
    // The second listing reads each folder just before its row, in the order helpers read.
    if (SingleFolderMode)
        StartReadAhead(CountRule());
    StructureRoot(stack);
    readAhead_.reset();
    SingleFolderMode = false;
}

void TSearchThread::StructureRoot(FolderStack& stack) {
    item_->Created.clear();
    item_->ShortName.clear();
    item_->Attributes.clear();
    if (stack.Path().empty())
        return;

    StructureNode root;
    CountFolder(stack, root);
    FolderEntryInfo(stack);
    FillStructureRow(stack.Path(), root.totals);
    UpdateStatus();
    AddRow();
    StructureWalk(stack, root);
}

// Pre-order without recursion: a row for each folder before the folders below it.
void TSearchThread::StructureWalk(FolderStack& stack, StructureNode& root) {
    struct Frame {
        StructureNode* node;
        std::size_t next = 0;
    };
    std::vector<Frame> frames{{&root}};
    while (!frames.empty()) {
        if (Terminated())
            return;
        Frame& frame = frames.back();
        if (frame.next == frame.node->children.size()) {
            std::vector<StructureNode>().swap(frame.node->children); // listed; free it
            frames.pop_back();
            if (!frames.empty())
                stack.Pop();
            continue;
        }
        StructureNode& child = frame.node->children[frame.next++];
        stack.Push(child.name); // mode 1 has counted this folder already: opens it only if asked
        statusPath_ = stack.Path();
        UpdateStatus();
        if (SingleFolderMode)
            CountFolder(stack, child);
        FolderEntryInfo(stack);
        FillStructureRow(stack.Path(), child.totals);
        AddRow();
        Tick(); // mode 1 makes its rows without reading an entry
        frames.push_back({&child});
    }
}

// Reads a folder for its row: its own content in mode 2, its whole subtree in mode 1.
void TSearchThread::CountFolder(FolderStack& stack, StructureNode& node) {
    if (!SingleFolderMode) {
        if (MayEnter(stack))
            SubtreeTotals(stack, node);
    } else if (std::optional<FolderEntries> entries = Enter(stack)) {
        CountingFolder(stack.Path());
        DirectFilesSize(stack, *entries, node);
    }
}

void TSearchThread::DirectFilesSize(FolderStack& stack, FolderEntries& entries,
                                    StructureNode& node) {
    DirEntry e;
    const EntryDetails* known = nullptr;
    EntryDetails d;
    for (;;) {
        Tick(); // a hand-over may bring a cancel: test after it
        if (Terminated())
            break;
        if (!entries.Next(e, known))
            break;
        if (e.IsDotOrDotDot() || Excluded(e.Name()))
            continue;
        entries.ResolveKind(e);
        if (e.kind == EntryKind::Directory) {
            node.children.push_back(StructureNode{std::string(e.Name()), {}, {}});
            continue;
        }
        ++node.totals.files;
        if (needSize_ && known)
            node.totals.size += known->size;
        else if (needSize_ && entries.Dir().Stat(e, Field::Size, d))
            node.totals.size += d.size;
    }
    node.totals.subfolders = static_cast<std::int64_t>(node.children.size());
    if (readAhead_ && !node.children.empty()) {
        std::vector<std::string> names;
        for (const StructureNode& child : node.children)
            names.push_back(child.name);
        ExpectSubfolders(stack, entries, names);
    }
}

// Depth-first without recursion; the status shows each folder while it is counted.
void TSearchThread::SubtreeTotals(FolderStack& stack, StructureNode& root) {
    struct Frame {
        StructureNode* node;
        std::size_t next = 0;
    };
    const std::string shown = statusPath_;
    // Helpers read the folders the count comes to next, as in the plain listing.
    StartReadAhead(CountRule());
    CountingFolder(stack.Path());
    if (std::optional<FolderEntries> entries = Enter(stack))
        DirectFilesSize(stack, *entries, root);
    std::vector<Frame> frames{{&root}};
    while (!frames.empty()) {
        Frame& frame = frames.back();
        if (!Terminated() && frame.next < frame.node->children.size()) {
            StructureNode& child = frame.node->children[frame.next++];
            stack.Push(child.name);
            std::optional<FolderEntries> entries = Enter(stack);
            if (!entries) {
                stack.Pop(); // counted as a subfolder, contributes nothing
                continue;
            }
            statusPath_ = stack.Path();
            UpdateStatus();
            CountingFolder(stack.Path());
            DirectFilesSize(stack, *entries, child);
            frames.push_back({&child});
            continue;
        }
        const FolderTotals done = frame.node->totals;
        frames.pop_back();
        if (frames.empty())
            break;
        stack.Pop();
        FolderTotals& parent = frames.back().node->totals;
        parent.size += done.size;
        parent.files += done.files;
        parent.subfolders += done.subfolders;
    }
    readAhead_.reset(); // stops and joins the helpers
    KeepStatus();       // the status goes on showing the last folder counted
    statusPath_ = shown;
}

void TSearchThread::FolderEntryInfo(FolderStack& stack) {
    item_->Numbers.known &= ~unsigned{ItemNumbers::Created};
    item_->Created.clear();
    item_->Attributes.clear();
    item_->ShortName.clear();
    if ((entryFields_ == 0 && !needShortPath_) || Terminated())
        return;
    EntryKind kind;
    EntryDetails d;
    if (!stack.StatTop(entryFields_, kind, d))
        return;
    if (!PassesFilter(d.attributes, Attr::FolderEntryFilter))
        return;
    const std::string& path = stack.Path();
    // The root's own entry gives no attributes, as a drive root's does not.
    if ((entryFields_ & Field::Attributes) && !paths::IsRoot(path))
        item_->Attributes = AttributeText(d.attributes, false);
    if ((entryFields_ & Field::Created) && d.hasCreated) {
        dateTexts_.Assign(item_->Created, d.created);
        item_->Numbers.created = d.created;
        item_->Numbers.known |= ItemNumbers::Created;
    }
    if (needShortPath_)
        item_->ShortName = ShortPath(path);
}

// Linux file systems keep no short names; the short form of a path is the path.
std::string TSearchThread::ShortPath(const std::string& path) {
    return path;
}

void TSearchThread::FillStructureRow(const std::string& folderPath, const FolderTotals& totals) {
    item_->FolderPath = folderPath;
    ItemNumbers& numbers = item_->Numbers;
    if (needSize_) {
        sizeTexts_.AssignStructure(item_->SizeText, totals.size);
        numbers.size = totals.size;
        numbers.known |= ItemNumbers::Size;
    }
    item_->FileCount = std::to_string(totals.files);
    item_->SubfolderCount = std::to_string(totals.subfolders);
    numbers.files = totals.files;
    numbers.subfolders = totals.subfolders;
    numbers.known |= ItemNumbers::Files | ItemNumbers::Subfolders;
}
