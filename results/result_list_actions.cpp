#include "results/result_list_actions.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QUrl>

#include "app/message_boxes.h"
#include "platform/paths.h"
#include "resources/qt_text.h"
#include "results/result_model.h"
#include "results/row_export.h"

namespace {
QUrl UrlOf(const std::string& url) {
    return QUrl::fromEncoded(QByteArray::fromStdString(url));
}

void PutOnClipboard(const std::string& text) {
    QApplication::clipboard()->setText(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

// The folder opened where no file manager takes the item to show.
void OpenFolder(MessageBoxes& messages, const std::string& folder) {
    if (!QProcess::startDetached(QStringLiteral("xdg-open"), {QString::fromUtf8(folder.c_str())}))
        messages.Error(Msg(326) + folder);
}
} // namespace

ResultListActions::Desktop ResultListActions::SystemDesktop(MessageBoxes& messages) {
    Desktop d;
    d.open = [](const std::string& url) { return QDesktopServices::openUrl(UrlOf(url)); };
    // The file manager selects the item in its folder; an answer may take a while, so the
    // window does not wait for it.
    d.showInFolder = [&messages](const std::vector<std::string>& urls, const std::string& folder) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            OpenFolder(messages, folder);
            return;
        }
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.FileManager1"),
            QStringLiteral("/org/freedesktop/FileManager1"),
            QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
        QStringList items;
        for (const std::string& url : urls)
            items << QString::fromLatin1(url.c_str());
        call << items << QString();
        auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), qApp);
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, qApp,
                         [&messages, folder](QDBusPendingCallWatcher* w) {
                             if (w->isError())
                                 OpenFolder(messages, folder);
                             w->deleteLater();
                         });
    };
    return d;
}

ResultListActions::ResultListActions(QAbstractItemView& view, ResultModel& model,
                                     MessageBoxes& messages, Desktop desktop)
    : QObject(&view), view_(view), model_(model), messages_(messages),
      desktop_(desktop.open ? std::move(desktop) : SystemDesktop(messages)) {
    view_.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_.setSelectionBehavior(QAbstractItemView::SelectRows);
    view_.setDragEnabled(true);
    view_.setDragDropMode(QAbstractItemView::DragOnly);
    view_.setDefaultDropAction(Qt::CopyAction);
    view_.setContextMenuPolicy(Qt::CustomContextMenu);
    copy_ = new QAction(QText(323), &view_);
    copy_->setShortcut(QKeySequence::Copy);
    copy_->setShortcutContext(Qt::WidgetShortcut);
    view_.addAction(copy_);
    connect(copy_, &QAction::triggered, this, &ResultListActions::CopyRows);
    // Enter and a double click (or the desktop's single click) open the rows.
    connect(&view_, &QAbstractItemView::activated, this, &ResultListActions::OpenSelected);
    connect(&view_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ContextMenu()->exec(view_.viewport()->mapToGlobal(at)); });
}

std::vector<std::size_t> ResultListActions::SelectedRows() const {
    std::vector<std::size_t> rows;
    if (!view_.selectionModel())
        return rows;
    for (const QModelIndex& index : view_.selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(index.row()));
    return rows;
}

void ResultListActions::OpenSelected() {
    const ResultTable& table = model_.Table();
    for (const std::size_t r : SelectedRows()) {
        const std::string path(table.rows[r].Cell(0));
        if (!desktop_.open(FileUrl(path)))
            messages_.Error(Msg(325) + path);
    }
}

void ResultListActions::ShowSelectedInFolder() {
    const ResultTable& table = model_.Table();
    std::vector<std::string> urls;
    std::string folder;
    for (const std::size_t r : SelectedRows()) {
        const std::string path =
            paths::WithoutTrailingSeparator(std::string(table.rows[r].Cell(0)));
        if (urls.empty())
            folder = paths::IsRoot(path) ? path : std::string(paths::FolderPart(path));
        urls.push_back(FileUrl(path));
    }
    if (!urls.empty())
        desktop_.showInFolder(urls, folder);
}

void ResultListActions::CopyPaths() {
    PutOnClipboard(RowPaths(model_.Table(), SelectedRows()));
}

void ResultListActions::CopyRows() {
    PutOnClipboard(RowsAsTabSeparated(model_.Table(), SelectedRows()));
}

std::unique_ptr<QMenu> ResultListActions::ContextMenu() {
    auto menu = std::make_unique<QMenu>(&view_);
    const bool any = !SelectedRows().empty();
    QAction* open = menu->addAction(QText(320), this, &ResultListActions::OpenSelected);
    menu->setDefaultAction(open);
    menu->addAction(QText(321), this, &ResultListActions::ShowSelectedInFolder);
    menu->addSeparator();
    menu->addAction(QText(322), this, &ResultListActions::CopyPaths);
    QAction* rows = menu->addAction(QText(323), this, &ResultListActions::CopyRows);
    rows->setShortcut(QKeySequence::Copy);
    for (QAction* a : menu->actions())
        a->setEnabled(any);
    return menu;
}
