#include "trees/look_in_tree.h"

#include <QDir>
#include <sys/stat.h>

#include "platform/paths.h"
#include "resources/qt_text.h"

namespace {
constexpr int kPathRole = Qt::UserRole + 1;

std::string Normalised(std::string p) { return paths::WithoutTrailingSeparator(std::move(p)); }
} // namespace

LookInTree::LookInTree(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setIndentation(19);
    computer_ = new QTreeWidgetItem(this, {QText(164)});
    for (const std::string& p : {std::string("/"), QDir::homePath().toStdString()}) {
        auto* item = new QTreeWidgetItem(computer_, {QString::fromStdString(p)});
        item->setData(0, kPathRole, QString::fromStdString(p));
    }
    computer_->setExpanded(true);
    connect(this, &QTreeWidget::currentItemChanged, this, &LookInTree::SelectionChanged);
}

std::string LookInTree::SelectedPath() const {
    const QTreeWidgetItem* item = currentItem();
    return item ? item->data(0, kPathRole).toString().toStdString() : std::string();
}

std::string LookInTree::SelectedText() const {
    const QTreeWidgetItem* item = currentItem();
    return item ? item->text(0).toStdString() : std::string();
}

QTreeWidgetItem* LookInTree::ItemOf(const std::string& path) const {
    for (int i = 0; i < computer_->childCount(); ++i) {
        QTreeWidgetItem* item = computer_->child(i);
        if (Normalised(item->data(0, kPathRole).toString().toStdString()) == path) return item;
    }
    return nullptr;
}

bool LookInTree::SelectPath(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    const std::string p = Normalised(path);
    QTreeWidgetItem* item = ItemOf(p);
    if (!item) {
        item = new QTreeWidgetItem(computer_, {QString::fromStdString(p)});
        item->setData(0, kPathRole, QString::fromStdString(p));
    }
    if (item != currentItem()) setCurrentItem(item);
    scrollToItem(item);
    return true;
}

void LookInTree::SelectComputer() {
    setCurrentItem(computer_);
    scrollToItem(computer_);
}
