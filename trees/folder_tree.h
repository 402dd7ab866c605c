#pragma once
#include <QFileSystemWatcher>
#include <QIcon>
#include <QPersistentModelIndex>
#include <QTimer>
#include <QTreeWidget>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/folders.h"
#include "platform/mount_watcher.h"

class QMenu;

// The folder namespace both trees show: "Desktop" (no path), under it "Arbeitsplatz" (no
// path, all drives) with the drives, and the user's home folder. Folders only, hidden ones
// included, read when an entry opens; opened entries follow the disk by themselves.
// Tells the window thread that background reads have left results; its own object, so that a
// tree blocking its signals for a moment loses no notice.
class FolderReadNotifier : public QObject {
    Q_OBJECT
  Q_SIGNALS:
    void ReadsFinished();
};

class FolderTree : public QTreeWidget {
    Q_OBJECT
  public:
    enum class EntryKind { Desktop, Computer, Drive, Home, Folder, Placeholder };

    // homeFolder: the folder of "Persönlicher Ordner"; empty for the user's home folder.
    explicit FolderTree(QWidget* parent = nullptr, const std::string& homeFolder = {});
    ~FolderTree() override;

    static EntryKind KindOf(const QTreeWidgetItem* item);
    // The file-system path of an entry; empty for the desktop and the computer entry.
    std::string PathOf(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* DesktopEntry() const { return desktop_; }
    QTreeWidgetItem* ComputerEntry() const { return computer_; }
    QTreeWidgetItem* HomeEntry() const { return home_; }
    // The entry of a folder path (relative paths count from the current folder), reading
    // the entries above it as needed; with open they are expanded. Null when not found.
    QTreeWidgetItem* EntryOf(const std::string& path, bool open);
    // Re-reads an entry's subfolders now; deep also inside its expanded subentries.
    void RefreshEntry(QTreeWidgetItem* item, bool deep);
    // The selected entry when it shows the folder of path, else the entry EntryOf finds: a
    // folder below the home folder has an entry in either branch, and the user's counts.
    QTreeWidgetItem* SelectedOrEntryOf(const std::string& path, bool open);
    // Makes the entry the current one and scrolls it into view; a tree not shown yet does so
    // once it is shown and laid out, when the sizes are known.
    void Select(QTreeWidgetItem* item);
    // A subentry by name (exact first, then letter case ignored when asked).
    QTreeWidgetItem* ChildNamed(QTreeWidgetItem* parent, const std::string& name,
                                bool ignoreCase) const;
    // True while folders are being read in the background.
    bool Reading() const { return !requests_.empty() || changeTimer_.isActive(); }
    // How many opened folders are watched for changes.
    std::size_t WatchedCount() const { return watched_.size(); }
    static constexpr std::size_t kMaxWatched = 1000;

  protected:
    void showEvent(QShowEvent* event) override;
    // Adds the entries every context menu has: open in the file manager, refresh.
    void AddCommonEntries(QMenu& menu, QTreeWidgetItem* item);
    // The entry was renamed on disk: new name shown, sorted in, watches moved.
    void Renamed(QTreeWidgetItem* item, const std::string& newName);
    // Folder entries (not drives, home or the entries above them).
    static bool IsPlainFolder(const QTreeWidgetItem* item) {
        return KindOf(item) == EntryKind::Folder;
    }
    // Folder entries read from now on can have their label edited.
    void SetFoldersEditable(bool on) { editable_ = on; }

  private:
    struct Mailbox;
    struct Request {
        QPersistentModelIndex entry;
        std::uint64_t generation;
    };

    void BuildNamespace(const std::string& homeFolder);
    void ReadDrives();
    void ScrollIntoView(QTreeWidgetItem* item);
    void ScrollPending();
    void ReadNow(QTreeWidgetItem* item);
    void ReadLater(QTreeWidgetItem* item);
    void DeliverFinished();
    void Deliver(std::uint64_t token, std::vector<folders::SubFolder> list);
    void Apply(QTreeWidgetItem* item, std::vector<folders::SubFolder> list);
    QTreeWidgetItem* UnlistedFolder(QTreeWidgetItem* parent, const std::string& name);
    void MoveChild(QTreeWidgetItem* parent, QTreeWidgetItem* child, int to);
    QTreeWidgetItem* NewFolderEntry(const folders::SubFolder& folder) const;
    void Opened(QTreeWidgetItem* item);
    void Closed(QTreeWidgetItem* item);
    void Watch(QTreeWidgetItem* item);
    void Forget(const std::string& path);
    void FolderChanged(const QString& path);
    void ReadChangedFolders();

    QTreeWidgetItem* desktop_ = nullptr;
    QTreeWidgetItem* computer_ = nullptr;
    QTreeWidgetItem* home_ = nullptr;
    QIcon folderIcon_, linkIcon_;
    bool editable_ = false;
    FolderReadNotifier notifier_;
    std::shared_ptr<Mailbox> mailbox_;
    std::uint64_t nextToken_ = 1;
    std::map<std::uint64_t, Request> requests_;
    QFileSystemWatcher watcher_;
    std::map<std::string, QPersistentModelIndex> watched_;
    std::set<std::string> changed_;
    QTimer changeTimer_;
    MountWatcher mounts_;
    QTimer mountTimer_;
    QPersistentModelIndex pendingScroll_;
};
