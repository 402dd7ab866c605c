#include "trees/folder_tree.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QUrl>
#include <filesystem>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <unordered_set>

#include "platform/paths.h"
#include "platform/volumes.h"
#include "resources/qt_text.h"
#include "trees/folder_names.h"

namespace {

using Kind = FolderTree::EntryKind;

// One tree entry. Folders keep their own name only, so a rename above them needs no update;
// drives and the home folder keep their whole path.
class Entry : public QTreeWidgetItem {
  public:
    Entry(Kind k, const std::string& nameOrPath, const QString& text)
        : QTreeWidgetItem(QStringList{text}, UserType), kind(k), name(nameOrPath) {
        setFlags(k == Kind::Placeholder ? Qt::ItemIsEnabled
                                        : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }
    Kind kind;
    std::string name;
    bool link = false;
    bool loaded = false;
    bool justRead = false; // read while closed: opening it needs no second read
    std::uint64_t generation = 0;
};

Entry* AsEntry(const QTreeWidgetItem* item) {
    return item && item->type() == QTreeWidgetItem::UserType
               ? static_cast<Entry*>(const_cast<QTreeWidgetItem*>(item))
               : nullptr;
}

QString Shown(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

bool HasFolders(Kind k) {
    return k == Kind::Drive || k == Kind::Home || k == Kind::Folder;
}

bool InsideAny(const QTreeWidgetItem* item, const std::unordered_set<const QTreeWidgetItem*>& set) {
    for (; item; item = item->parent())
        if (set.count(item))
            return true;
    return false;
}

QIcon Themed(const char* name, const QStyle* style, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(QString::fromLatin1(name), style->standardIcon(fallback));
}

QIcon DriveIcon(volumes::VolumeKind kind, const QStyle* style) {
    switch (kind) {
    case volumes::VolumeKind::CdRom:
        return Themed("drive-optical", style, QStyle::SP_DriveCDIcon);
    case volumes::VolumeKind::Network:
        return Themed("folder-remote", style, QStyle::SP_DriveNetIcon);
    case volumes::VolumeKind::Floppy:
        return Themed("drive-removable-media", style, QStyle::SP_DriveFDIcon);
    default:
        return Themed("drive-harddisk", style, QStyle::SP_DriveHDIcon);
    }
}

// The folder icon with the small arrow the desktop puts on links.
QIcon LinkIcon(const QIcon& folder) {
    QIcon icon;
    const QIcon emblem = QIcon::fromTheme(QStringLiteral("emblem-symbolic-link"));
    for (const int size : {16, 22, 32}) {
        QPixmap pixmap = folder.pixmap(size, size);
        QPainter painter(&pixmap);
        const QRect corner(0, size - size / 2, size / 2, size / 2);
        if (!emblem.isNull()) {
            emblem.paint(&painter, corner);
        } else {
            painter.fillRect(corner, Qt::white);
            painter.setPen(Qt::black);
            painter.drawRect(corner.adjusted(0, 0, -1, -1));
            painter.drawLine(corner.bottomLeft() + QPoint(2, -2),
                             corner.topRight() + QPoint(-2, 2));
        }
        icon.addPixmap(pixmap);
    }
    return icon;
}

std::string CurrentFolder() {
    std::error_code ec;
    return std::filesystem::current_path(ec).string();
}

} // namespace

// Background reads post their result here; a tree that is gone takes no more results.
struct FolderTree::Mailbox {
    explicit Mailbox(FolderTree* t) : tree(t) {}
    std::mutex mutex;
    FolderTree* tree;
    // Results pass through here under the mutex, so the hand-over to the window thread is
    // ordered by a lock that thread checkers see, not only by the event queue.
    std::vector<std::pair<std::uint64_t, std::vector<folders::SubFolder>>> ready;
};

FolderTree::FolderTree(QWidget* parent, const std::string& homeFolder)
    : QTreeWidget(parent), mailbox_(std::make_shared<Mailbox>(this)) {
    setHeaderHidden(true);
    setColumnCount(1);
    setIndentation(19);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAnimated(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    folderIcon_ = Themed("folder", style(), QStyle::SP_DirIcon);
    linkIcon_ = LinkIcon(folderIcon_);
    connect(&notifier_, &FolderReadNotifier::ReadsFinished, this, &FolderTree::DeliverFinished,
            Qt::QueuedConnection);
    connect(this, &QTreeWidget::itemExpanded, this, &FolderTree::Opened);
    connect(this, &QTreeWidget::itemCollapsed, this, &FolderTree::Closed);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &FolderTree::FolderChanged);
    changeTimer_.setSingleShot(true);
    changeTimer_.setInterval(150); // one read for a burst of changes
    connect(&changeTimer_, &QTimer::timeout, this, &FolderTree::ReadChangedFolders);
    // A drive mounted or unmounted: the drives are read again once the burst is over.
    mountTimer_.setSingleShot(true);
    mountTimer_.setInterval(100);
    connect(&mounts_, &MountWatcher::Changed, &mountTimer_, qOverload<>(&QTimer::start));
    connect(&mountTimer_, &QTimer::timeout, this, &FolderTree::ReadDrives);
    BuildNamespace(homeFolder);
}

FolderTree::~FolderTree() {
    const std::lock_guard lock(mailbox_->mutex);
    mailbox_->tree = nullptr;
}

void FolderTree::BuildNamespace(const std::string& homeFolder) {
    desktop_ = new Entry(Kind::Desktop, {}, QText(212));
    desktop_->setIcon(0, Themed("user-desktop", style(), QStyle::SP_DesktopIcon));
    addTopLevelItem(desktop_);
    computer_ = new Entry(Kind::Computer, {}, QText(164));
    computer_->setIcon(0, Themed("computer", style(), QStyle::SP_ComputerIcon));
    desktop_->addChild(computer_);
    const std::string home =
        homeFolder.empty() ? QFile::encodeName(QDir::homePath()).toStdString() : homeFolder;
    home_ = new Entry(Kind::Home, home, QText(213));
    home_->setIcon(0, Themed("user-home", style(), QStyle::SP_DirHomeIcon));
    home_->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    desktop_->addChild(home_);
    ReadDrives();
    desktop_->setExpanded(true);
    computer_->setExpanded(true);
}

void FolderTree::ReadDrives() {
    const volumes::VolumeTable table = volumes::VolumeTable::Current();
    const std::vector<const volumes::Volume*> drives = table.Drives(volumes::IsReady);
    int at = 0;
    for (const volumes::Volume* drive : drives) {
        const std::string& mountPoint = drive->mount.mountPoint;
        const std::optional<volumes::VolumeDetails> details = volumes::Details(*drive);
        const QString text = Shown(folder_names::DriveText(details ? details->label : "",
                                                           drive->mount.fsType, mountPoint));
        QTreeWidgetItem* entry = nullptr;
        for (int i = at; i < computer_->childCount() && !entry; ++i)
            if (AsEntry(computer_->child(i))->name == mountPoint)
                entry = computer_->child(i);
        if (!entry) {
            entry = new Entry(Kind::Drive, mountPoint, text);
            entry->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
            computer_->insertChild(at, entry);
        } else if (computer_->indexOfChild(entry) != at) {
            MoveChild(computer_, entry, at);
        }
        entry->setText(0, text);
        entry->setIcon(0, DriveIcon(drive->kind, style()));
        ++at;
    }
    while (computer_->childCount() > at) {
        const std::unordered_set<const QTreeWidgetItem*> gone{computer_->child(at)};
        for (auto it = watched_.begin(); it != watched_.end();) {
            if (InsideAny(itemFromIndex(it->second), gone)) {
                watcher_.removePath(QFile::decodeName(QByteArray::fromStdString(it->first)));
                it = watched_.erase(it);
            } else {
                ++it;
            }
        }
        std::unique_ptr<QTreeWidgetItem>(computer_->takeChild(at));
    }
}

FolderTree::EntryKind FolderTree::KindOf(const QTreeWidgetItem* item) {
    const Entry* e = AsEntry(item);
    return e ? e->kind : Kind::Placeholder;
}

std::string FolderTree::PathOf(const QTreeWidgetItem* item) const {
    const Entry* e = AsEntry(item);
    if (!e)
        return {};
    switch (e->kind) {
    case Kind::Drive:
    case Kind::Home:
        return e->name;
    case Kind::Folder:
        return paths::Join(PathOf(e->parent()), e->name);
    default:
        return {};
    }
}

QTreeWidgetItem* FolderTree::ChildNamed(QTreeWidgetItem* parent, const std::string& name,
                                        bool ignoreCase) const {
    if (!parent)
        return nullptr;
    for (int i = 0; i < parent->childCount(); ++i) {
        const Entry* e = AsEntry(parent->child(i));
        if (e && e->kind == Kind::Folder && e->name == name)
            return parent->child(i);
    }
    if (!ignoreCase)
        return nullptr;
    for (int i = 0; i < parent->childCount(); ++i) {
        const Entry* e = AsEntry(parent->child(i));
        if (e && e->kind == Kind::Folder &&
            Shown(e->name).compare(Shown(name), Qt::CaseInsensitive) == 0)
            return parent->child(i);
    }
    return nullptr;
}

QTreeWidgetItem* FolderTree::EntryOf(const std::string& path, bool open) {
    if (path.empty())
        return nullptr;
    const std::string folder = folder_names::AbsoluteFolderPath(path, CurrentFolder());
    if (!folders::IsFolder(folder))
        return nullptr;
    // The drive with the longest mount point holding the folder; the home folder if none.
    QTreeWidgetItem* at = nullptr;
    std::vector<std::string> steps;
    for (int i = 0; i < computer_->childCount(); ++i) {
        const std::string& mount = AsEntry(computer_->child(i))->name;
        if (at && mount.size() <= PathOf(at).size())
            continue;
        if (auto below = folder_names::StepsBelow(mount, folder)) {
            at = computer_->child(i);
            steps = std::move(*below);
        }
    }
    if (!at) {
        auto below = folder_names::StepsBelow(PathOf(home_), folder);
        if (!below)
            return nullptr;
        at = home_;
        steps = std::move(*below);
    }
    for (const std::string& step : steps) {
        if (!AsEntry(at)->loaded)
            ReadNow(at);
        QTreeWidgetItem* child = ChildNamed(at, step, false);
        if (!child) { // the listing may be older than the folder
            ReadNow(at);
            child = ChildNamed(at, step, false);
        }
        if (!child)
            child = UnlistedFolder(at, step);
        if (!child)
            return nullptr;
        at = child;
    }
    if (open)
        for (QTreeWidgetItem* above = at->parent(); above; above = above->parent())
            above->setExpanded(true);
    return at;
}

// A folder that can be entered but not listed (mode 711) still holds reachable folders.
QTreeWidgetItem* FolderTree::UnlistedFolder(QTreeWidgetItem* parent, const std::string& name) {
    const std::string path = paths::Join(PathOf(parent), name);
    if (!folders::IsFolder(path))
        return nullptr;
    QTreeWidgetItem* entry = NewFolderEntry({name, folders::IsLink(path), true});
    parent->addChild(entry);
    return entry;
}

QTreeWidgetItem* FolderTree::SelectedOrEntryOf(const std::string& path, bool open) {
    QTreeWidgetItem* selected = currentItem();
    if (selected && !path.empty() && PathOf(selected) == path)
        return selected;
    return EntryOf(path, open);
}

void FolderTree::Select(QTreeWidgetItem* item) {
    if (!item)
        return;
    if (item != currentItem())
        setCurrentItem(item);
    if (isVisible()) {
        pendingScroll_ = QPersistentModelIndex();
        ScrollIntoView(item);
        return;
    }
    // Scrolled now, the hidden tree's small default size would decide what is seen.
    pendingScroll_ = QPersistentModelIndex(indexFromItem(item));
}

void FolderTree::showEvent(QShowEvent* event) {
    QTreeWidget::showEvent(event);
    if (pendingScroll_.isValid())
        QTimer::singleShot(0, this, &FolderTree::ScrollPending);
}

void FolderTree::ScrollPending() {
    QTreeWidgetItem* item = pendingScroll_.isValid() ? itemFromIndex(pendingScroll_) : nullptr;
    pendingScroll_ = QPersistentModelIndex();
    if (item && isVisible())
        ScrollIntoView(item);
}

// The whole name in view, and as much as fits of the folders to its left and above it.
void FolderTree::ScrollIntoView(QTreeWidgetItem* item) {
    scrollToItem(item);
    const QModelIndex index = indexFromItem(item);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int nameWidth = itemDelegateForIndex(index)->sizeHint(option, index).width();
    QScrollBar* bar = horizontalScrollBar();
    const int left = visualItemRect(item).left() + bar->value();
    const int right = left + nameWidth;
    bar->setValue(std::max(0, std::min(right - viewport()->width(), left)));
}

void FolderTree::RefreshEntry(QTreeWidgetItem* item, bool deep) {
    const Entry* e = AsEntry(item);
    if (!e)
        return;
    if (e->kind == Kind::Computer)
        ReadDrives();
    if (HasFolders(e->kind))
        ReadNow(item);
    if (!deep)
        return;
    for (int i = 0; i < item->childCount(); ++i)
        if (item->child(i)->isExpanded())
            RefreshEntry(item->child(i), true);
}

// Looking into every subfolder of a big folder would hold up the window: that is left to a
// background read, which then corrects the expand arrows.
void FolderTree::ReadNow(QTreeWidgetItem* item) {
    constexpr std::size_t kLookedIntoNow = 500;
    Entry* e = AsEntry(item);
    const std::string path = PathOf(item);
    std::optional<std::vector<folders::SubFolder>> list = folders::ReadSubfolders(path, false);
    const bool big = list && list->size() > kLookedIntoNow;
    if (list && !big)
        for (folders::SubFolder& f : *list)
            f.hasSubfolders = folders::MayHaveSubfolders(paths::Join(path, f.name));
    if (list)
        folder_names::SortByName(*list);
    ++e->generation;
    Apply(item, list ? std::move(*list) : std::vector<folders::SubFolder>{});
    e->justRead = !item->isExpanded() && !big;
    if (big)
        ReadLater(item);
}

void FolderTree::ReadLater(QTreeWidgetItem* item) {
    Entry* e = AsEntry(item);
    if (!e || !HasFolders(e->kind))
        return;
    if (item->childCount() == 0)
        item->addChild(new Entry(Kind::Placeholder, {}, QText(214)));
    const std::uint64_t token = nextToken_++;
    requests_[token] = {QPersistentModelIndex(indexFromItem(item)), ++e->generation};
    std::thread([mailbox = mailbox_, token, path = PathOf(item)] {
        std::optional<std::vector<folders::SubFolder>> list = folders::ReadSubfolders(path, true);
        if (list)
            folder_names::SortByName(*list);
        const std::lock_guard lock(mailbox->mutex);
        FolderTree* tree = mailbox->tree;
        if (!tree)
            return;
        // An unreadable folder shows no subfolders.
        mailbox->ready.emplace_back(token, list ? std::move(*list) : decltype(list)::value_type{});
        Q_EMIT tree->notifier_.ReadsFinished();
    }).detach();
}

void FolderTree::DeliverFinished() {
    std::vector<std::pair<std::uint64_t, std::vector<folders::SubFolder>>> ready;
    {
        const std::lock_guard lock(mailbox_->mutex);
        ready.swap(mailbox_->ready);
    }
    for (auto& [token, list] : ready)
        Deliver(token, std::move(list));
}

void FolderTree::Deliver(std::uint64_t token, std::vector<folders::SubFolder> list) {
    const auto request = requests_.find(token);
    if (request == requests_.end())
        return;
    const Request r = request->second;
    requests_.erase(request);
    QTreeWidgetItem* item = r.entry.isValid() ? itemFromIndex(r.entry) : nullptr;
    Entry* e = AsEntry(item);
    if (!e || e->generation != r.generation)
        return; // a newer read has been or will be applied
    Apply(item, std::move(list));
}

QTreeWidgetItem* FolderTree::NewFolderEntry(const folders::SubFolder& folder) const {
    auto* entry = new Entry(Kind::Folder, folder.name, Shown(folder.name));
    entry->link = folder.link;
    entry->setIcon(0, folder.link ? linkIcon_ : folderIcon_);
    entry->setChildIndicatorPolicy(folder.hasSubfolders
                                       ? QTreeWidgetItem::ShowIndicator
                                       : QTreeWidgetItem::DontShowIndicatorWhenChildless);
    if (editable_)
        entry->setFlags(entry->flags() | Qt::ItemIsEditable);
    return entry;
}

// Keeps what is already there (its open subentries, the selection) and sorts new ones in.
void FolderTree::Apply(QTreeWidgetItem* item, std::vector<folders::SubFolder> list) {
    Entry* e = AsEntry(item);
    e->loaded = true;
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    std::unordered_set<std::string> wanted;
    for (const folders::SubFolder& f : list)
        wanted.insert(f.name);
    std::unordered_set<const QTreeWidgetItem*> gone;
    for (int i = 0; i < item->childCount(); ++i) {
        const Entry* c = AsEntry(item->child(i));
        if (c->kind != Kind::Folder || !wanted.count(c->name))
            gone.insert(c);
    }
    if (!gone.empty()) {
        for (auto it = watched_.begin(); it != watched_.end();) {
            if (InsideAny(itemFromIndex(it->second), gone)) {
                watcher_.removePath(QFile::decodeName(QByteArray::fromStdString(it->first)));
                it = watched_.erase(it);
            } else {
                ++it;
            }
        }
        for (int i = item->childCount() - 1; i >= 0; --i)
            if (gone.count(item->child(i)))
                std::unique_ptr<QTreeWidgetItem>(item->takeChild(i));
    }
    std::unordered_map<std::string, QTreeWidgetItem*> existing;
    for (int i = 0; i < item->childCount(); ++i)
        existing.emplace(AsEntry(item->child(i))->name, item->child(i));
    int at = 0;
    QList<QTreeWidgetItem*> run;
    const auto flush = [&] {
        if (run.isEmpty())
            return;
        item->insertChildren(at, run);
        at += static_cast<int>(run.size());
        run.clear();
    };
    for (const folders::SubFolder& f : list) {
        const auto found = existing.find(f.name);
        if (found == existing.end()) {
            run.append(NewFolderEntry(f));
            continue;
        }
        flush();
        if (item->child(at) != found->second)
            MoveChild(item, found->second, at);
        Entry* c = AsEntry(found->second);
        if (c->link != f.link) {
            c->link = f.link;
            c->setIcon(0, f.link ? linkIcon_ : folderIcon_);
        }
        if (!c->loaded)
            c->setChildIndicatorPolicy(f.hasSubfolders
                                           ? QTreeWidgetItem::ShowIndicator
                                           : QTreeWidgetItem::DontShowIndicatorWhenChildless);
        ++at;
    }
    flush();
}

// Moves an entry among its siblings; its open subentries and the selection stay as they were.
void FolderTree::MoveChild(QTreeWidgetItem* parent, QTreeWidgetItem* child, int to) {
    std::vector<QTreeWidgetItem*> open;
    std::vector<QTreeWidgetItem*> pending{child};
    while (!pending.empty()) {
        QTreeWidgetItem* i = pending.back();
        pending.pop_back();
        if (!i->isExpanded())
            continue;
        open.push_back(i);
        for (int c = 0; c < i->childCount(); ++c)
            pending.push_back(i->child(c));
    }
    QTreeWidgetItem* current = currentItem();
    const QSignalBlocker block(this);
    parent->takeChild(parent->indexOfChild(child));
    parent->insertChild(to, child);
    for (QTreeWidgetItem* i : open)
        i->setExpanded(true);
    if (current && current != currentItem())
        setCurrentItem(current);
}

void FolderTree::Opened(QTreeWidgetItem* item) {
    Entry* e = AsEntry(item);
    if (!e || !HasFolders(e->kind))
        return;
    std::vector<QTreeWidgetItem*> pending{item};
    while (!pending.empty()) { // open subentries show again: watch and re-read them too
        QTreeWidgetItem* i = pending.back();
        pending.pop_back();
        Watch(i);
        Entry* ie = AsEntry(i);
        if (ie->justRead)
            ie->justRead = false;
        else
            ReadLater(i);
        for (int c = 0; c < i->childCount(); ++c)
            if (i->child(c)->isExpanded())
                pending.push_back(i->child(c));
    }
}

void FolderTree::Closed(QTreeWidgetItem* item) {
    const std::unordered_set<const QTreeWidgetItem*> closed{item};
    for (auto it = watched_.begin(); it != watched_.end();) {
        if (InsideAny(itemFromIndex(it->second), closed)) {
            watcher_.removePath(QFile::decodeName(QByteArray::fromStdString(it->first)));
            it = watched_.erase(it);
        } else {
            ++it;
        }
    }
}

void FolderTree::Watch(QTreeWidgetItem* item) {
    const std::string path = PathOf(item);
    if (path.empty() || watched_.count(path) || watched_.size() >= kMaxWatched)
        return;
    if (watcher_.addPath(QFile::decodeName(QByteArray::fromStdString(path))))
        watched_.emplace(path, QPersistentModelIndex(indexFromItem(item)));
}

void FolderTree::FolderChanged(const QString& path) {
    changed_.insert(QFile::encodeName(path).toStdString());
    if (!changeTimer_.isActive())
        changeTimer_.start();
}

void FolderTree::ReadChangedFolders() {
    for (const std::string& path : changed_) {
        const auto found = watched_.find(path);
        if (found == watched_.end())
            continue;
        QTreeWidgetItem* item = itemFromIndex(found->second);
        if (item && item->isExpanded() && PathOf(item) == path) {
            ReadLater(item);
        } else {
            watcher_.removePath(QFile::decodeName(QByteArray::fromStdString(path)));
            watched_.erase(found);
        }
    }
    changed_.clear();
}

void FolderTree::Renamed(QTreeWidgetItem* item, const std::string& newName) {
    Closed(item); // watches under the old path
    Entry* e = AsEntry(item);
    e->name = newName;
    item->setText(0, Shown(newName));
    if (QTreeWidgetItem* parent = item->parent())
        ReadNow(parent);
    if (item->isExpanded()) {
        AsEntry(item)->justRead = true;
        Opened(item);
    }
}

void FolderTree::AddCommonEntries(QMenu& menu, QTreeWidgetItem* item) {
    const std::string path = PathOf(item);
    QAction* open = menu.addAction(QText(215), this, [path] {
        QDesktopServices::openUrl(
            QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path))));
    });
    open->setEnabled(!path.empty());
    const QPersistentModelIndex entry(indexFromItem(item));
    menu.addAction(QText(216), this, [this, entry] {
        if (QTreeWidgetItem* i = entry.isValid() ? itemFromIndex(entry) : nullptr)
            RefreshEntry(i, true);
    });
}
