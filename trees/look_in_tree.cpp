#include "trees/look_in_tree.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

LookInTree::LookInTree(QWidget* parent, const std::string& homeFolder)
    : FolderTree(parent, homeFolder) {
    connect(this, &QTreeWidget::currentItemChanged, this, &LookInTree::SelectionChanged);
}

std::string LookInTree::SelectedPath() const {
    return PathOf(currentItem());
}

std::string LookInTree::SelectedText() const {
    const QTreeWidgetItem* item = currentItem();
    return item ? item->text(0).toStdString() : std::string();
}

bool LookInTree::SelectPath(const std::string& path) {
    QTreeWidgetItem* item = EntryOf(path, true);
    if (!item)
        return false;
    Select(item);
    return true;
}

void LookInTree::SelectComputer() {
    ComputerEntry()->parent()->setExpanded(true);
    Select(ComputerEntry());
}

std::unique_ptr<QMenu> LookInTree::ContextMenuFor(QTreeWidgetItem* item) {
    auto menu = std::make_unique<QMenu>(this);
    AddCommonEntries(*menu, item);
    return menu;
}

// A right click opens the entry's menu but leaves what is to be searched as it is.
void LookInTree::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    FolderTree::mousePressEvent(event);
}

void LookInTree::contextMenuEvent(QContextMenuEvent* event) {
    QTreeWidgetItem* item =
        event->reason() == QContextMenuEvent::Mouse ? itemAt(event->pos()) : currentItem();
    if (!item || KindOf(item) == EntryKind::Placeholder)
        return;
    ContextMenuFor(item)->exec(event->globalPos());
}
