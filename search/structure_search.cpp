#include "search/search_thread.h"

#include "platform/paths.h"
#include "results/columns.h"
#include "search/formatting.h"

// One row per folder. Mode 1 counts the whole subtree of the start folder in one pass and
// then hands the rows over from that count, start folder first, each folder before the
// folders below it. Mode 2 reads each folder once, just before its row.

void TSearchThread::RunStructureSearch(const std::string& root) {
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
    StructureRoot(root);
    SingleFolderMode = false;
}

void TSearchThread::StructureRoot(const std::string& path) {
    item_.Created.clear();
    item_.ShortName.clear();
    item_.Attributes.clear();
    if (path.empty())
        return;

    const std::string q = paths::WithoutTrailingSeparator(path);
    Directory dir = Directory::Open(q);
    StructureNode root;
    std::string counted = q;
    CountFolder(dir, counted, root);

    FolderEntryInfo(q);
    FillStructureRow(q, root.totals);
    UpdateStatus();
    AddRow();
    StructureWalk(q, dir, root);
}

void TSearchThread::StructureWalk(const std::string& path, const Directory& dir,
                                  StructureNode& node) {
    for (StructureNode& child : node.children) {
        if (Terminated())
            return;
        const std::string s = paths::Join(path, child.name);
        statusPath_ = s;
        UpdateStatus();
        Directory sub;
        if (SingleFolderMode) { // mode 1 has counted this folder already
            std::string counted = s;
            sub = dir.OpenChild(child.name.c_str());
            if (MayEnter(s, sub))
                CountFolder(sub, counted, child);
        }
        FolderEntryInfo(s);
        FillStructureRow(s, child.totals);
        AddRow();
        StructureWalk(s, sub, child);
        std::vector<StructureNode>().swap(child.children); // listed; free it
    }
}

// Reads a folder for its row: its own content in mode 2, its whole subtree in mode 1.
void TSearchThread::CountFolder(Directory& dir, std::string& path, StructureNode& node) {
    if (SingleFolderMode) {
        CountingFolder(path);
        DirectFilesSize(dir, node);
    } else {
        SubtreeTotals(dir, path, node);
    }
}

void TSearchThread::DirectFilesSize(Directory& dir, StructureNode& node) {
    DirEntry e;
    EntryDetails d;
    for (;;) {
        if (Terminated())
            break;
        if (!dir.Next(e))
            break;
        if (e.IsDotOrDotDot())
            continue;
        if (e.kind == EntryKind::Unknown)
            dir.Stat(e, 0, d);
        if (e.kind == EntryKind::Directory) {
            node.children.push_back(StructureNode{std::string(e.Name()), {}, {}});
            continue;
        }
        ++node.totals.files;
        if (needSize_ && dir.Stat(e, Field::Size, d))
            node.totals.size += d.size;
    }
    node.totals.subfolders = static_cast<std::int64_t>(node.children.size());
}

void TSearchThread::SubtreeTotals(Directory& dir, std::string& path, StructureNode& node) {
    CountingFolder(path);
    DirectFilesSize(dir, node);
    const std::size_t length = path.size();
    for (StructureNode& child : node.children) {
        if (Terminated())
            break;
        path.resize(length);
        if (!paths::EndsWithSeparator(path))
            path.push_back(paths::kSeparator);
        path.append(child.name);
        Directory sub = dir.OpenChild(child.name.c_str());
        if (!MayEnter(path, sub))
            continue; // counted as a subfolder, contributes nothing
        SubtreeTotals(sub, path, child);
        node.totals.size += child.totals.size;
        node.totals.files += child.totals.files;
        node.totals.subfolders += child.totals.subfolders;
    }
    path.resize(length);
}

void TSearchThread::FolderEntryInfo(const std::string& path) {
    item_.Created.clear();
    item_.Attributes.clear();
    item_.ShortName.clear();
    if ((entryFields_ == 0 && !needShortPath_) || Terminated())
        return;
    EntryKind kind;
    EntryDetails d;
    if (!StatPath(path, entryFields_, kind, d))
        return;
    if (!PassesFilter(d.attributes, Attr::FolderEntryFilter))
        return;
    // The root's own entry gives no attributes, as a drive root's does not.
    if ((entryFields_ & Field::Attributes) && !paths::IsRoot(path))
        item_.Attributes = AttributeText(d.attributes, false);
    if ((entryFields_ & Field::Created) && d.hasCreated)
        dateTexts_.Assign(item_.Created, d.created);
    if (needShortPath_)
        item_.ShortName = ShortPath(path);
}

// Linux file systems keep no short names; the short form of a path is the path.
std::string TSearchThread::ShortPath(const std::string& path) {
    return path;
}

void TSearchThread::FillStructureRow(const std::string& folderPath, const FolderTotals& totals) {
    item_.FolderPath = folderPath;
    if (needSize_)
        sizeTexts_.AssignStructure(item_.SizeText, totals.size);
    item_.FileCount = std::to_string(totals.files);
    item_.SubfolderCount = std::to_string(totals.subfolders);
}
