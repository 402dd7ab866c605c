#include "trees/save_in_tree.h"

#include <QDir>
#include <sys/stat.h>

#include "app/message_boxes.h"
#include "platform/paths.h"
#include "resources/qt_text.h"
#include "resources/strings.h"

// A small tree for now: the computer entry and the folders selected or created by path.
namespace {
constexpr int kPathRole = Qt::UserRole + 1;

bool IsFolder(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string PathOfItem(const QTreeWidgetItem* item) {
    return item ? item->data(0, kPathRole).toString().toStdString() : std::string();
}
} // namespace

SaveInTree::SaveInTree(MessageBoxes& messages, QWidget* parent)
    : QTreeWidget(parent), messages_(messages) {
    setHeaderHidden(true);
    setIndentation(19);
    setRootIsDecorated(false);
    computer_ = new QTreeWidgetItem(this, {QText(164)});
    setCurrentItem(computer_);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { Q_EMIT SelectionChanged(PathOfItem(item)); });
}

std::string SaveInTree::SelectedFolder() const {
    return PathOfItem(currentItem());
}

QTreeWidgetItem* SaveInTree::ItemOf(const std::string& path) const {
    for (int i = 0; i < computer_->childCount(); ++i)
        if (PathOfItem(computer_->child(i)) == path)
            return computer_->child(i);
    return nullptr;
}

QTreeWidgetItem* SaveInTree::AddFolder(const std::string& path) {
    if (QTreeWidgetItem* item = ItemOf(path))
        return item;
    auto* item = new QTreeWidgetItem(computer_, {QString::fromStdString(path)});
    item->setData(0, kPathRole, QString::fromStdString(path));
    return item;
}

void SaveInTree::SetSelectedFolder(const std::string& path) {
    if (path.empty()) {
        setCurrentItem(computer_);
        return;
    }
    if (!IsFolder(path)) {
        messages_.Error(Msg(187) + path);
        return;
    }
    setCurrentItem(AddFolder(paths::WithoutTrailingSeparator(path)));
}

void SaveInTree::Refresh(const std::string& path) {
    (void)path;
}

void SaveInTree::CreateNewFolder(const std::string& parent, const std::string& name) {
    const std::string folder = paths::Join(parent, name.empty() ? Msg(75) : name);
    if (!QDir().mkpath(QString::fromStdString(folder)))
        return;
    setCurrentItem(AddFolder(folder));
}
