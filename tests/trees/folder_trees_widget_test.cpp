#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/tform1.h"
#include "support/child_process.h"
#include "support/scripted_message_boxes.h"
#include "support/temp_tree.h"
#include "trees/look_in_tree.h"
#include "trees/save_in_tree.h"

namespace fs = std::filesystem;

namespace {

// Background reads and the watcher take their time on a loaded machine: wait generously.
bool WaitUntil(const std::function<bool()>& done, int limitMs = 30000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > limitMs)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

std::vector<std::string> ChildTexts(const QTreeWidgetItem* item) {
    std::vector<std::string> texts;
    for (int i = 0; item && i < item->childCount(); ++i)
        texts.push_back(item->child(i)->text(0).toStdString());
    return texts;
}

QTreeWidgetItem* Child(const QTreeWidgetItem* item, const std::string& text) {
    for (int i = 0; item && i < item->childCount(); ++i)
        if (item->child(i)->text(0).toStdString() == text)
            return item->child(i);
    return nullptr;
}

bool Exists(const std::string& path) {
    return fs::exists(path);
}

bool WriteTo(const std::string& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    const bool written = fd >= 0 && ::write(fd, text.data(), text.size()) == ssize_t(text.size());
    if (fd >= 0)
        ::close(fd);
    return written;
}

// In a forked child: mounts from now on are the child's own. Root gets a mount namespace;
// anyone else a user namespace in which they may mount.
bool OwnMountNamespace() {
    if (::geteuid() != 0) {
        const std::string uid = std::to_string(::geteuid()), gid = std::to_string(::getegid());
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 ||
            !WriteTo("/proc/self/setgroups", "deny") ||
            !WriteTo("/proc/self/uid_map", "0 " + uid + " 1") ||
            !WriteTo("/proc/self/gid_map", "0 " + gid + " 1"))
            return false;
    } else if (::unshare(CLONE_NEWNS) != 0) {
        return false;
    }
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

using Entry = FolderTree::EntryKind;
using Shown = ScriptedMessageBoxes::Shown;

} // namespace

TEST(FolderTrees, DesktopComputerAndHomeEntries) {
    ScriptedMessageBoxes boxes;
    LookInTree look;
    SaveInTree save{boxes};
    for (FolderTree* tree : {static_cast<FolderTree*>(&look), static_cast<FolderTree*>(&save)}) {
        ASSERT_EQ(tree->topLevelItemCount(), 1);
        EXPECT_EQ(tree->topLevelItem(0)->text(0).toStdString(), "Desktop");
        EXPECT_EQ(ChildTexts(tree->DesktopEntry()),
                  (std::vector<std::string>{"Arbeitsplatz", "Persönlicher Ordner"}));
        EXPECT_EQ(tree->PathOf(tree->DesktopEntry()), "");
        EXPECT_EQ(tree->PathOf(tree->HomeEntry()), QDir::homePath().toStdString());
        EXPECT_EQ(tree->indentation(), 19);
        // The drives: one entry per drive, each with its mount point, "/" among them.
        const QTreeWidgetItem* computer = tree->ComputerEntry();
        ASSERT_GT(computer->childCount(), 0);
        bool root = false;
        for (int i = 0; i < computer->childCount(); ++i) {
            EXPECT_EQ(FolderTree::KindOf(computer->child(i)), Entry::Drive);
            const std::string path = tree->PathOf(computer->child(i));
            EXPECT_TRUE(computer->child(i)->text(0).toStdString().find(path) != std::string::npos);
            root = root || path == "/";
        }
        EXPECT_TRUE(root);
    }
    look.SelectComputer();
    EXPECT_EQ(look.SelectedPath(), "");
    EXPECT_EQ(look.SelectedText(), "Arbeitsplatz");
    // The Save In tree starts on the computer entry, without root lines.
    EXPECT_EQ(save.currentItem(), save.ComputerEntry());
    EXPECT_EQ(save.SelectedFolder(), "");
    EXPECT_FALSE(save.rootIsDecorated());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(FolderTrees, FoldersAreReadWhenOpenedHiddenIncludedFilesNever) {
    TempTree tree;
    tree.Folder("a/b/c");
    tree.Folder(".hidden");
    tree.File("file.txt");
    tree.File("a/inner.txt");
    fs::create_directory_symlink(tree.Path("a"), tree.Path("link"));
    fs::create_symlink(tree.Path("file.txt"), tree.Path("file-link"));
    LookInTree look;
    ASSERT_TRUE(look.SelectPath(tree.Root()));
    QTreeWidgetItem* top = look.currentItem();
    EXPECT_EQ(top->childCount(), 0);
    top->setExpanded(true);
    ASSERT_TRUE(WaitUntil([&] { return !look.Reading(); }));
    EXPECT_EQ(ChildTexts(top), (std::vector<std::string>{".hidden", "a", "link"}));

    QTreeWidgetItem* a = Child(top, "a");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->childCount(), 0); // not read before it opens
    EXPECT_EQ(a->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    EXPECT_EQ(Child(top, ".hidden")->childIndicatorPolicy(),
              QTreeWidgetItem::DontShowIndicatorWhenChildless);
    a->setExpanded(true);
    // Read in the background: the entry says so until the folders arrive.
    EXPECT_EQ(ChildTexts(a), std::vector<std::string>{"Wird geladen \u2026"});
    ASSERT_TRUE(WaitUntil([&] { return !look.Reading(); }));
    EXPECT_EQ(ChildTexts(a), std::vector<std::string>{"b"});
    EXPECT_EQ(a->child(0)->childCount(), 0);

    // A link to a folder is a folder with the link's own path.
    QTreeWidgetItem* link = Child(top, "link");
    EXPECT_EQ(look.PathOf(link), tree.Path("link"));
    ASSERT_TRUE(look.SelectPath(tree.Path("link/b/c")));
    EXPECT_EQ(look.SelectedPath(), tree.Path("link/b/c"));
    EXPECT_TRUE(link->isExpanded());
}

TEST(FolderTrees, LookInSelectsByPath) {
    TempTree tree;
    tree.Folder("a/b");
    tree.File("a/file.txt");
    LookInTree look;
    int changes = 0;
    QObject::connect(&look, &LookInTree::SelectionChanged, [&] { ++changes; });

    struct Case {
        std::string path, selected;
    } const found[] = {
        {tree.Path("a/b"), tree.Path("a/b")},
        {tree.Path("a/b/../b/"), tree.Path("a/b")},
        {tree.Root() + "//a", tree.Path("a")},
        {".", fs::current_path().string()}, // relative paths count from the current folder
    };
    for (const Case& c : found) {
        EXPECT_TRUE(look.SelectPath(c.path)) << c.path;
        EXPECT_EQ(look.SelectedPath(), c.selected) << c.path;
        for (const QTreeWidgetItem* i = look.currentItem()->parent(); i; i = i->parent())
            EXPECT_TRUE(i->isExpanded()) << c.path;
    }
    EXPECT_EQ(changes, 3); // the second path names the folder already selected

    ASSERT_TRUE(look.SelectPath(tree.Path("a")));
    changes = 0;
    for (const std::string& missing : {tree.Path("gone"), tree.Path("a/file.txt"), std::string()})
        EXPECT_FALSE(look.SelectPath(missing)) << missing;
    EXPECT_EQ(look.SelectedPath(), tree.Path("a"));
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(look.SelectPath(tree.Path("a"))); // already selected: nothing changes
    EXPECT_EQ(changes, 0);

    // A folder made after its parent was read is found all the same.
    tree.Folder("a/late");
    EXPECT_TRUE(look.SelectPath(tree.Path("a/late")));
    EXPECT_EQ(look.SelectedPath(), tree.Path("a/late"));

    // A folder that may be entered but not listed still leads to the folders inside.
    if (::geteuid() != 0) { // root lists every folder
        tree.Folder("locked/open");
        tree.SetMode("locked", 0311);
        EXPECT_TRUE(look.SelectPath(tree.Path("locked/open")));
        EXPECT_EQ(look.SelectedPath(), tree.Path("locked/open"));
    }
}

TEST(FolderTrees, LookInRightClickLeavesTheSelectionAndOffersItsMenu) {
    TempTree tree;
    tree.Folder("a");
    tree.Folder("b");
    LookInTree look;
    look.resize(300, 400);
    look.show();
    ASSERT_TRUE(look.SelectPath(tree.Path("a")));
    QTreeWidgetItem* b = Child(look.currentItem()->parent(), "b");
    look.scrollToItem(b);
    QApplication::processEvents();
    const QRect row = look.visualItemRect(b); // may reach past the right edge: click its name
    const QPoint at(row.left() + 24, row.center().y());
    QMouseEvent press(QEvent::MouseButtonPress, at, look.viewport()->mapToGlobal(at),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(look.viewport(), &press);
    EXPECT_EQ(look.SelectedPath(), tree.Path("a"));
    QMouseEvent left(QEvent::MouseButtonPress, at, look.viewport()->mapToGlobal(at), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(look.viewport(), &left);
    EXPECT_EQ(look.SelectedPath(), tree.Path("b")); // a left click does select

    const auto menu = look.ContextMenuFor(b->parent());
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0]->text().toStdString(), "Im Dateimanager öffnen");
    EXPECT_TRUE(actions[0]->isEnabled());
    EXPECT_EQ(actions[1]->text().toStdString(), "Aktualisieren");
    tree.Folder("made-outside");
    actions[1]->trigger();
    EXPECT_TRUE(Child(b->parent(), "made-outside"));
    EXPECT_FALSE(look.ContextMenuFor(look.ComputerEntry())->actions()[0]->isEnabled());
}

TEST(FolderTrees, OpenedFoldersFollowTheDiskByThemselves) {
    TempTree tree;
    tree.Folder("open/old");
    tree.Folder("closed");
    LookInTree look;
    ASSERT_TRUE(look.SelectPath(tree.Path("open")));
    QTreeWidgetItem* open = look.currentItem();
    open->setExpanded(true);
    ASSERT_TRUE(WaitUntil([&] { return !look.Reading(); }));
    const std::size_t watched = look.WatchedCount();

    tree.Folder("open/new");
    EXPECT_TRUE(WaitUntil([&] { return Child(open, "new") != nullptr; }));
    fs::remove(tree.Path("open/old"));
    EXPECT_TRUE(WaitUntil([&] { return Child(open, "old") == nullptr; }));
    tree.File("open/a-file.txt");
    tree.Folder("open/zz");
    ASSERT_TRUE(WaitUntil([&] { return Child(open, "zz") != nullptr; }));
    EXPECT_EQ(ChildTexts(open), (std::vector<std::string>{"new", "zz"}));

    open->setExpanded(false); // closed entries are not watched
    EXPECT_EQ(look.WatchedCount(), watched - 1);
    QTreeWidgetItem* closed = Child(open->parent(), "closed");
    tree.Folder("closed/unseen");
    QApplication::processEvents();
    EXPECT_EQ(closed->childCount(), 0);
}

TEST(FolderTrees, ManySubfoldersAreReadOffTheWindowThread) {
    TempTree tree;
    constexpr int kFolders = 2000; // enough to tell; many more only slow a busy disk down
    tree.Folder("many");
    for (int i = 0; i < kFolders; ++i)
        ::mkdir(tree.Path("many/d" + std::to_string(i)).c_str(), 0755);
    LookInTree look;
    ASSERT_TRUE(look.SelectPath(tree.Path("many")));
    QTreeWidgetItem* many = look.currentItem();
    EXPECT_EQ(many->childCount(), 0);
    many->setExpanded(true);
    EXPECT_EQ(many->childCount(), 1); // the window goes on while they are read
    ASSERT_TRUE(WaitUntil([&] { return !look.Reading(); }));
    ASSERT_EQ(many->childCount(), kFolders);
    EXPECT_EQ(many->child(0)->text(0).toStdString(), "d0");
    EXPECT_EQ(many->child(9)->text(0).toStdString(), "d9");
    EXPECT_EQ(many->child(10)->text(0).toStdString(), "d10");
    EXPECT_EQ(many->child(kFolders - 1)->text(0).toStdString(), "d1999");

    // Selecting inside reads it at once; whether each has subfolders is found out afterwards.
    tree.Folder("many/d1500/below");
    LookInTree other;
    ASSERT_TRUE(other.SelectPath(tree.Path("many/d1500")));
    const QTreeWidgetItem* parent = other.currentItem()->parent();
    EXPECT_EQ(parent->childCount(), kFolders);
    ASSERT_TRUE(WaitUntil([&] { return !other.Reading(); }));
    EXPECT_EQ(other.currentItem()->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    EXPECT_EQ(parent->child(0)->childIndicatorPolicy(),
              QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

TEST(FolderTrees, SaveInSelectedFolder) {
    TempTree tree;
    tree.Folder("a/b");
    ScriptedMessageBoxes boxes;
    SaveInTree save{boxes};
    std::vector<std::string> changes;
    QObject::connect(&save, &SaveInTree::SelectionChanged,
                     [&](const std::string& path) { changes.push_back(path); });

    save.SetSelectedFolder(tree.Path("a/b"));
    EXPECT_EQ(save.SelectedFolder(), tree.Path("a/b"));
    save.SetSelectedFolder("");
    EXPECT_EQ(save.currentItem(), save.ComputerEntry());
    EXPECT_EQ(changes, (std::vector<std::string>{tree.Path("a/b"), ""}));
    EXPECT_TRUE(boxes.shown.empty());

    save.SetSelectedFolder(tree.Path("a/b"));
    fs::remove(tree.Path("a/b"));
    save.SetSelectedFolder(tree.Path("a/b"));
    EXPECT_EQ(boxes.shown,
              (std::vector<Shown>{{"Error", "Kann Pfad nicht finden: " + tree.Path("a/b")}}));
    EXPECT_EQ(save.SelectedFolder(), tree.Path("a/b")); // the selection stays
}

TEST(FolderTrees, SaveInRefreshAddsAndRemovesAlsoInsideOpenSubentries) {
    TempTree tree;
    tree.Folder("top/open/gone");
    tree.Folder("top/closed/below");
    ScriptedMessageBoxes boxes;
    SaveInTree save{boxes};
    save.SetSelectedFolder(tree.Path("top/open/gone")); // opens top and open
    QTreeWidgetItem* top = save.EntryOf(tree.Path("top"), false);
    save.SetSelectedFolder(tree.Path("top"));
    ASSERT_TRUE(WaitUntil([&] { return !save.Reading(); }));

    tree.Folder("top/added");
    tree.Folder("top/open/new");
    fs::remove(tree.Path("top/open/gone"));
    save.Refresh(tree.Path("top"));
    EXPECT_EQ(ChildTexts(top), (std::vector<std::string>{"added", "closed", "open"}));
    EXPECT_EQ(ChildTexts(Child(top, "open")), std::vector<std::string>{"new"});
    EXPECT_TRUE(Child(top, "open")->isExpanded());
    EXPECT_EQ(Child(top, "closed")->childCount(), 0); // not open: not read
    EXPECT_EQ(save.SelectedFolder(), tree.Path("top"));
    EXPECT_TRUE(boxes.shown.empty());
}

namespace {

// Ends a label edit the way the user does: type into the editor and press Enter.
void TypeLabel(SaveInTree& save, QTreeWidgetItem* item, const QString& text) {
    save.editItem(item);
    QLineEdit* editor = save.viewport()->findChild<QLineEdit*>();
    ASSERT_TRUE(editor);
    editor->setText(text);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(editor, &enter);
    QApplication::processEvents();
}

} // namespace

TEST(FolderTrees, LabelEditRenamesTheFolderAfterTheEvent) {
    TempTree tree;
    tree.Folder("top/alt/inner/deep");
    tree.Folder("top/mid");
    ScriptedMessageBoxes boxes;
    SaveInTree save{boxes};
    save.resize(300, 400);
    save.show();
    save.SetSelectedFolder(tree.Path("top/alt/inner/deep"));
    save.SetSelectedFolder(tree.Path("top/alt"));
    QTreeWidgetItem* alt = save.currentItem();
    ASSERT_TRUE(alt->isExpanded());
    struct Edited {
        std::string path, text;
        bool oldThere, newThere;
    };
    std::vector<Edited> edits;
    QObject::connect(
        &save, &SaveInTree::LabelEdited, [&](const std::string& p, const std::string& t) {
            edits.push_back({p, t, Exists(tree.Path("top/alt")), Exists(tree.Path("top/zz neu"))});
        });
    std::vector<std::string> changes;
    QObject::connect(&save, &SaveInTree::SelectionChanged,
                     [&](const std::string& path) { changes.push_back(path); });

    TypeLabel(save, alt, "zz neu");
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0].path, tree.Path("top/alt"));
    EXPECT_EQ(edits[0].text, "zz neu");
    EXPECT_TRUE(edits[0].oldThere && !edits[0].newThere); // raised before the rename
    EXPECT_TRUE(Exists(tree.Path("top/zz neu/inner/deep")));
    EXPECT_FALSE(Exists(tree.Path("top/alt")));
    EXPECT_EQ(save.PathOf(alt), tree.Path("top/zz neu"));
    // Sorted in anew; its open subentries and the selection stay.
    EXPECT_EQ(ChildTexts(alt->parent()), (std::vector<std::string>{"mid", "zz neu"}));
    EXPECT_TRUE(alt->isExpanded());
    EXPECT_TRUE(Child(alt, "inner")->isExpanded());
    EXPECT_EQ(save.currentItem(), alt);
    // The save folder follows the new name.
    EXPECT_EQ(changes, std::vector<std::string>{tree.Path("top/zz neu")});
    EXPECT_EQ(save.SelectedFolder(), tree.Path("top/zz neu"));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(FolderTrees, LabelEditsThatCannotRename) {
    TempTree tree;
    tree.Folder("top/mine/keep");
    tree.Folder("top/empty");
    tree.File("top/a-file");
    struct Case {
        std::string text, box;
    } const cases[] = {
        {"empty", "Ordner kann nicht umbenannt werden: " + tree.Path("top/mine") +
                      "\nEin Ordner oder eine Datei mit diesem Namen ist bereits vorhanden."},
        {"a-file", "Ordner kann nicht umbenannt werden: " + tree.Path("top/mine") +
                       "\nEin Ordner oder eine Datei mit diesem Namen ist bereits vorhanden."},
        {"a/b", "Ordner kann nicht umbenannt werden: " + tree.Path("top/mine") +
                    "\nDer neue Name ist kein gültiger Ordnername."},
        {"", "Ordner kann nicht umbenannt werden: " + tree.Path("top/mine") +
                 "\nDer neue Name ist kein gültiger Ordnername."},
        {"mine", ""}, // unchanged: nothing to do
    };
    for (const Case& c : cases) {
        ScriptedMessageBoxes boxes;
        SaveInTree save{boxes};
        save.SetSelectedFolder(tree.Path("top/mine"));
        QTreeWidgetItem* mine = save.currentItem();
        int edited = 0;
        QObject::connect(&save, &SaveInTree::LabelEdited, [&] { ++edited; });
        save.FinishLabelEdit(mine, c.text);
        EXPECT_EQ(edited, 1) << c.text;
        const std::vector<Shown> expected =
            c.box.empty() ? std::vector<Shown>{} : std::vector<Shown>{{"Error", c.box}};
        EXPECT_EQ(boxes.shown, expected) << c.text;
        EXPECT_TRUE(Exists(tree.Path("top/mine/keep"))) << c.text;
        EXPECT_TRUE(fs::is_directory(tree.Path("top/empty"))) << c.text;
        EXPECT_EQ(mine->text(0).toStdString(), "mine") << c.text;
    }
}

TEST(FolderTrees, NewFolderIsMadeSelectedAndOpenedForEditing) {
    TempTree tree;
    tree.Folder("top/other");
    ScriptedMessageBoxes boxes;
    SaveInTree save{boxes};
    save.resize(300, 400);
    save.show();
    struct Case {
        std::string parent, name, made;
    } const cases[] = {
        {tree.Path("top"), "", tree.Path("top/Neuer Ordner")},
        {tree.Path("top"), "Listen", tree.Path("top/Listen")},
        {tree.Path("top/not/yet"), "Neu", tree.Path("top/not/yet/Neu")}, // missing folders too
    };
    for (const Case& c : cases) {
        save.CreateNewFolder(c.parent, c.name);
        EXPECT_TRUE(fs::is_directory(c.made)) << c.made;
        EXPECT_EQ(save.SelectedFolder(), c.made);
        EXPECT_TRUE(save.currentItem()->parent()->isExpanded()) << c.made;
        EXPECT_TRUE(save.EditingLabel()) << c.made;
        save.closePersistentEditor(save.currentItem());
        QApplication::processEvents();
    }
    EXPECT_TRUE(boxes.shown.empty());
}

namespace {

// A read-only parent: write bits removed, or for root (who may write anyway) a read-only
// file system mounted there. Already holds "neuer ordner", which must not be edited instead.
class ReadOnlyFolder {
  public:
    explicit ReadOnlyFolder(TempTree& tree) : path_(tree.Folder("ro")) {
        if (::geteuid() != 0) {
            tree.Folder("ro/neuer ordner");
            ready_ = ::chmod(path_.c_str(), 0555) == 0;
            return;
        }
        mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", 0, "size=64k") == 0;
        ready_ = mounted_ && ::mkdir((path_ + "/neuer ordner").c_str(), 0755) == 0 &&
                 ::mount(nullptr, path_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    ~ReadOnlyFolder() {
        if (mounted_)
            ::umount2(path_.c_str(), MNT_DETACH);
    }
    bool Ready() const { return ready_; }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    bool mounted_ = false, ready_ = false;
};

} // namespace

TEST(FolderTrees, NewFolderWhereNoneCanBeMadeIsSilent) {
    TempTree tree;
    ReadOnlyFolder readOnly(tree);
    if (!readOnly.Ready())
        GTEST_SKIP() << "no read-only folder can be made here";
    ScriptedMessageBoxes boxes;
    SaveInTree save{boxes};
    save.resize(300, 400);
    save.show();
    save.CreateNewFolder(readOnly.Path(), "");
    EXPECT_FALSE(Exists(readOnly.Path() + "/Neuer Ordner"));
    EXPECT_EQ(save.SelectedFolder(), readOnly.Path()); // the parent stays selected
    EXPECT_FALSE(save.EditingLabel());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(ChildTexts(save.currentItem()), std::vector<std::string>{"neuer ordner"});
}

TEST(FolderTrees, SaveInContextMenu) {
    TempTree tree;
    tree.Folder("top/mine");
    ScriptedMessageBoxes boxes;
    SaveInTree save{boxes};
    int requested = 0;
    QObject::connect(&save, &SaveInTree::NewFolderRequested, [&] { ++requested; });
    save.SetSelectedFolder(tree.Path("top/mine"));
    const auto menu = save.ContextMenu();
    std::vector<std::string> texts;
    for (const QAction* a : menu->actions())
        texts.push_back(a->isSeparator() ? "-" : a->text().toStdString());
    EXPECT_EQ(texts, (std::vector<std::string>{"Neuer Ordner", "-", "Umbenennen",
                                               "In den Papierkorb verschieben", "-",
                                               "Im Dateimanager öffnen", "Aktualisieren"}));
    QAction* newFolder = menu->actions()[0];
    EXPECT_EQ(menu->defaultAction(), newFolder);
    EXPECT_TRUE(newFolder->font().bold());
    newFolder->trigger();
    EXPECT_EQ(requested, 1);

    // Moving to the trash asks first; Nein keeps the folder.
    boxes.answers = {false};
    menu->actions()[3]->trigger();
    EXPECT_EQ(boxes.shown,
              (std::vector<Shown>{{"Question", "Ordner in den Papierkorb verschieben?\n" +
                                                   tree.Path("top/mine")}}));
    EXPECT_TRUE(Exists(tree.Path("top/mine")));

    // The computer entry is no folder: nothing to make, rename or move there.
    save.SetSelectedFolder("");
    const auto computerMenu = save.ContextMenu();
    for (const int i : {0, 2, 3, 5})
        EXPECT_FALSE(computerMenu->actions()[i]->isEnabled()) << i;
    EXPECT_TRUE(computerMenu->actions()[6]->isEnabled());
}

TEST(FolderTrees, BothTreesInTheWindow) {
    TempTree tree;
    tree.Folder("a");
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes};
    EXPECT_EQ(w.sjtSaveIn->toolTip().toStdString(), "Wählen Sie einen Ordner zum Speichern.");
    const QPalette p = w.sjtSaveIn->palette();
    EXPECT_EQ(p.color(QPalette::Base), QApplication::palette().color(QPalette::ToolTipBase));
    EXPECT_EQ(p.color(QPalette::Inactive, QPalette::Highlight),
              p.color(QPalette::Active, QPalette::Highlight));
    EXPECT_EQ(w.sjtSaveIn->SelectedFolder(), "");
    ASSERT_TRUE(w.stLookIn->SelectPath(tree.Path("a")));
    EXPECT_EQ(w.StatusPanel0->text().toStdString(), "Suchen in: " + tree.Path("a"));
    w.stLookIn->SelectComputer();
    EXPECT_EQ(w.StatusPanel0->text().toStdString(), "Suchen in: Alle Laufwerke");
    EXPECT_TRUE(boxes.shown.empty());
}

// A folder below the home folder has an entry under "Persönlicher Ordner" and one under its
// drive; the Save In tree works on the one the user picked.
TEST(FolderTrees, SaveInWorksOnTheEntryTheUserPickedBelowTheHomeFolder) {
    TempTree tree;
    const std::string home = tree.Folder("home");
    tree.Folder("home/Listen");
    ScriptedMessageBoxes boxes;
    SaveInTree save{boxes, nullptr, home};
    save.resize(300, 400);
    save.show();
    save.HomeEntry()->setExpanded(true);
    ASSERT_TRUE(WaitUntil([&] { return !save.Reading(); }));
    QTreeWidgetItem* listen = Child(save.HomeEntry(), "Listen");
    ASSERT_TRUE(listen);
    save.setCurrentItem(listen); // as a click does

    tree.Folder("home/Listen/von draußen"); // made outside the program
    save.Refresh(save.SelectedFolder());
    EXPECT_EQ(ChildTexts(listen), std::vector<std::string>{"von draußen"});
    EXPECT_EQ(save.currentItem(), listen);

    save.CreateNewFolder(save.SelectedFolder(), "");
    EXPECT_EQ(save.SelectedFolder(), home + "/Listen/Neuer Ordner");
    EXPECT_EQ(save.currentItem()->parent(), listen);
    EXPECT_TRUE(save.EditingLabel());
    save.closePersistentEditor(save.currentItem());
    EXPECT_TRUE(boxes.shown.empty());
}

namespace {
// Whether an entry's name is whole in the tree's view, and the entry above it is in view too.
std::string NotInView(QTreeWidget& view, QTreeWidgetItem* item) {
    const QRect shown = view.viewport()->rect();
    const QRect at = view.visualItemRect(item);
    const int nameEnd =
        at.left() + view.iconSize().width() + view.fontMetrics().horizontalAdvance(item->text(0));
    std::string wrong;
    if (at.top() < 0 || at.bottom() > shown.bottom())
        wrong += " row out of view";
    if (at.left() < 0 || nameEnd > shown.right())
        wrong += " name cut";
    if (view.visualItemRect(item->parent()).top() < 0)
        wrong += " parent out of view";
    return wrong;
}
} // namespace

// Selected while the tree was hidden, as at start-up: it is scrolled into view once shown.
TEST(FolderTrees, SelectionMadeWhileHiddenIsInViewOnceShown) {
    TempTree tree;
    std::string deep;
    for (int level = 0; level < 9; ++level)
        deep += "/Unterordner mit langem Namen " + std::to_string(level);
    const std::string folder = tree.Folder(deep.substr(1));
    for (int i = 0; i < 30; ++i) // rows enough to scroll
        tree.Folder("Nachbar " + std::to_string(i));
    ScriptedMessageBoxes boxes;
    LookInTree look;
    SaveInTree save{boxes};
    ASSERT_TRUE(look.SelectPath(folder));
    save.SetSelectedFolder(folder);
    for (FolderTree* view : {static_cast<FolderTree*>(&look), static_cast<FolderTree*>(&save)}) {
        ASSERT_EQ(view->PathOf(view->currentItem()), folder);
        view->resize(280, 260);
        view->show();
        ASSERT_TRUE(WaitUntil([&] { return !view->Reading(); }));
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        EXPECT_EQ(NotInView(*view, view->currentItem()), "") << view->metaObject()->className();
    }
}

// Drives mounted and unmounted while the program runs come and go in both trees. A RAM disk
// is mounted in a mount namespace of a child process's own, on a disk folder: a RAM disk below
// /dev or /run, where a temporary folder may be, is the system's and rightly not listed.
TEST(FolderTrees, DrivesFollowMountsInBothTrees) {
    TempTree tree{TreePlace::Disk};
    const std::string point = tree.Folder("Stick");
    const std::string report = RunInChild([&]() -> std::string {
        if (!OwnMountNamespace())
            return kChildSkipped;
        ScriptedMessageBoxes boxes;
        LookInTree look;
        SaveInTree save{boxes};
        const auto listed = [&](const FolderTree& view) {
            const QTreeWidgetItem* computer = view.ComputerEntry();
            for (int i = 0; i < computer->childCount(); ++i)
                if (view.PathOf(computer->child(i)) == point)
                    return true;
            return false;
        };
        const auto inBoth = [&](bool shown) {
            return WaitUntil([&] { return listed(look) == shown && listed(save) == shown; });
        };
        if (listed(look) || listed(save))
            return "listed before it is mounted";
        if (::mount("pathquill-test", point.c_str(), "tmpfs", 0, "size=1m") != 0)
            return kChildSkipped;
        if (!inBoth(true))
            return "mounted, not shown";
        if (::umount2(point.c_str(), 0) != 0)
            return "cannot unmount";
        if (!inBoth(false))
            return "unmounted, still shown";
        return "";
    });
    if (report == kChildSkipped)
        GTEST_SKIP() << "no mount namespace of its own here";
    EXPECT_EQ(report, "");
}
