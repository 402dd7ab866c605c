#include "trees/save_in_tree.h"

#include <QContextMenuEvent>
#include <QFont>
#include <QLineEdit>
#include <QMenu>
#include <QStyledItemDelegate>

#include "app/message_boxes.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "resources/qt_text.h"
#include "resources/strings.h"
#include "trees/folder_names.h"

namespace {

// Hands a finished label edit to the tree instead of writing it into the entry: the entry
// only takes the new name once the folder has it on disk.
class LabelEditDelegate : public QStyledItemDelegate {
  public:
    explicit LabelEditDelegate(SaveInTree* tree) : QStyledItemDelegate(tree), tree_(tree) {}
    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        if (const auto* line = qobject_cast<QLineEdit*>(editor))
            tree_->FinishLabelEdit(tree_->itemFromIndex(index), line->text().toStdString());
    }

  private:
    SaveInTree* tree_;
};

std::string RenameReason(folders::RenameResult result) {
    switch (result) {
    case folders::RenameResult::Exists:
        return Msg(220);
    case folders::RenameResult::Denied:
        return Msg(222);
    default:
        return {};
    }
}

} // namespace

SaveInTree::SaveInTree(MessageBoxes& messages, QWidget* parent, const std::string& homeFolder)
    : FolderTree(parent, homeFolder), messages_(messages) {
    setRootIsDecorated(false);
    SetFoldersEditable(true);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setItemDelegate(new LabelEditDelegate(this));
    // The selection stays visible while another control has the focus.
    QPalette shown = palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        shown.setColor(QPalette::Inactive, role, shown.color(QPalette::Active, role));
    setPalette(shown);
    setCurrentItem(ComputerEntry());
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { Q_EMIT SelectionChanged(PathOf(item)); });
}

std::string SaveInTree::SelectedFolder() const {
    return PathOf(currentItem());
}

void SaveInTree::SetSelectedFolder(const std::string& path) {
    if (path.empty()) {
        Select(ComputerEntry());
        return;
    }
    QTreeWidgetItem* item = EntryOf(path, true);
    if (!item) {
        messages_.Error(Msg(187) + path);
        return;
    }
    Select(item);
}

void SaveInTree::Refresh(const std::string& path) {
    RefreshEntry(path.empty() ? ComputerEntry() : SelectedOrEntryOf(path, false), true);
}

void SaveInTree::CreateNewFolder(const std::string& parent, const std::string& name) {
    const std::string folderName = name.empty() ? Msg(75) : name;
    const bool created =
        !parent.empty() &&
        folder_names::CheckFolderName(folderName) == folder_names::NameCheck::Valid &&
        folders::CreateFolderPath(paths::Join(parent, folderName));
    QTreeWidgetItem* above = SelectedOrEntryOf(parent, true);
    if (!above)
        return;
    Select(above);
    above->setExpanded(true);
    RefreshEntry(above, false);
    // A folder that could not be made is not looked for: a similar name must not be edited.
    QTreeWidgetItem* made = created ? ChildNamed(above, folderName, true) : nullptr;
    if (!made)
        return;
    Select(made);
    editItem(made);
}

void SaveInTree::FinishLabelEdit(QTreeWidgetItem* item, const std::string& newText) {
    if (!IsPlainFolder(item))
        return;
    const std::string path = PathOf(item);
    Q_EMIT LabelEdited(path, newText);
    if (newText == path.substr(path.rfind('/') + 1))
        return;
    if (folder_names::CheckFolderName(newText) != folder_names::NameCheck::Valid) {
        messages_.Error(Msg(219) + path + "\n" + Msg(221));
        return;
    }
    const std::string newPath = paths::Join(PathOf(item->parent()), newText);
    const folders::RenameResult result = folders::RenameFolder(path, newPath);
    if (result != folders::RenameResult::Done) {
        const std::string reason = RenameReason(result);
        messages_.Error(Msg(219) + path + (reason.empty() ? "" : "\n" + reason));
        return;
    }
    QTreeWidgetItem* current = currentItem();
    Renamed(item, newText);
    // The selected folder may have just got a new path.
    for (const QTreeWidgetItem* i = current; i; i = i->parent())
        if (i == item) {
            Q_EMIT SelectionChanged(PathOf(current));
            break;
        }
}

void SaveInTree::TrashSelectedFolder() {
    QTreeWidgetItem* item = currentItem();
    if (!IsPlainFolder(item))
        return;
    const std::string path = PathOf(item);
    if (!messages_.Question(Msg(223) + "\n" + path))
        return;
    if (!folders::MoveToTrash(path)) {
        messages_.Error(Msg(224) + path);
        return;
    }
    QTreeWidgetItem* parent = item->parent();
    Select(parent);
    RefreshEntry(parent, false);
}

std::unique_ptr<QMenu> SaveInTree::ContextMenu() {
    auto menu = std::make_unique<QMenu>(this);
    QTreeWidgetItem* item = currentItem();
    QAction* newFolder = menu->addAction(QText(75), this, &SaveInTree::NewFolderRequested);
    newFolder->setEnabled(!PathOf(item).empty());
    QFont bold = newFolder->font();
    bold.setBold(true);
    newFolder->setFont(bold);
    menu->setDefaultAction(newFolder);
    menu->addSeparator();
    QAction* rename = menu->addAction(QText(217), this, [this, item] { editItem(item); });
    rename->setEnabled(IsPlainFolder(item));
    QAction* trash = menu->addAction(QText(218), this, &SaveInTree::TrashSelectedFolder);
    trash->setEnabled(IsPlainFolder(item));
    menu->addSeparator();
    AddCommonEntries(*menu, item);
    return menu;
}

void SaveInTree::contextMenuEvent(QContextMenuEvent* event) {
    if (KindOf(currentItem()) == EntryKind::Placeholder)
        return;
    ContextMenu()->exec(event->globalPos());
}
