#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include "resources/strings.h"
#include "results/result_list_actions.h"
#include "results/result_list_view.h"
#include "results/result_model.h"
#include "support/scripted_message_boxes.h"
#include "support/table_builder.h"

namespace {

struct ListFixture {
    ResultListView view;
    ResultModel model;
    ScriptedMessageBoxes boxes;
    std::vector<std::string> opened;
    std::vector<std::pair<std::vector<std::string>, std::string>> shown;
    bool openWorks = true;
    ResultListActions actions;

    ListFixture()
        : actions(view, model, boxes,
                  {[this](const std::string& url) {
                       opened.push_back(url);
                       return openWorks;
                   },
                   [this](const std::vector<std::string>& urls, const std::string& folder) {
                       shown.emplace_back(urls, folder);
                   }}) {
        view.setModel(&model);
        ResultTable t = MakeTable(
            {"Datei", "Größe (Byte)"},
            {{"/d/eins.txt", "10 Byte"}, {"/d/zwei.txt", "20 Byte"}, {"/e/drei.txt", "3 Byte"}});
        model.SetColumns(t.columns);
        model.AppendRows(std::move(t.rows));
    }
    void Select(std::initializer_list<int> rows) {
        view.selectionModel()->clear();
        for (const int r : rows)
            view.selectionModel()->select(model.index(r, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QStringList MenuTexts(QMenu& menu) {
        QStringList texts;
        for (const QAction* a : menu.actions())
            texts << a->text();
        return texts;
    }
};

QAction* CopyAction(ResultListView& view) {
    for (QAction* a : view.actions())
        if (a->shortcut() == QKeySequence(QKeySequence::Copy))
            return a;
    return nullptr;
}

} // namespace

// Ctrl+C on the list copies the selected rows with the captions, in the list's order.
TEST(ResultListActions, CtrlCCopiesSelectedRowsAsTabSeparatedText) {
    ListFixture f;
    EXPECT_EQ(f.view.selectionMode(), QAbstractItemView::ExtendedSelection);
    f.Select({2, 0});
    QAction* copy = CopyAction(f.view);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->shortcutContext(), Qt::WidgetShortcut);
    copy->trigger();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              "Datei\tGröße (Byte)\n/d/eins.txt\t10 Byte\n/e/drei.txt\t3 Byte\n");
}

TEST(ResultListActions, DragCarriesTheFilesAsUriList) {
    ListFixture f;
    EXPECT_TRUE(f.model.flags(f.model.index(1, 1)) & Qt::ItemIsDragEnabled);
    EXPECT_EQ(f.model.supportedDragActions(), Qt::CopyAction);
    EXPECT_TRUE(f.view.dragEnabled());
    const std::unique_ptr<QMimeData> data(
        f.model.mimeData({f.model.index(1, 0), f.model.index(1, 1), f.model.index(0, 1)}));
    EXPECT_EQ(data->data("text/uri-list").toStdString(),
              "file:///d/eins.txt\r\nfile:///d/zwei.txt\r\n");
    EXPECT_EQ(data->text(), QStringLiteral("/d/eins.txt\n/d/zwei.txt\n"));
    EXPECT_EQ(data->urls().value(1).toLocalFile(), QStringLiteral("/d/zwei.txt"));
}

// The menu offers its four commands, only while rows are selected, and each does its part.
TEST(ResultListActions, ContextMenuEntriesAndWhatTheyDo) {
    ListFixture f;
    const QStringList expected = {QString::fromUtf8(MessageText(320).data()),
                                  QString::fromUtf8(MessageText(321).data()), QString(),
                                  QString::fromUtf8(MessageText(322).data()),
                                  QString::fromUtf8(MessageText(323).data())};
    ASSERT_EQ(expected.value(0), QStringLiteral("Öffnen"));
    {
        const auto menu = f.actions.ContextMenu();
        EXPECT_EQ(f.MenuTexts(*menu), expected);
        for (const QAction* a : menu->actions())
            EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    }
    f.Select({1, 2});
    const auto menu = f.actions.ContextMenu();
    EXPECT_EQ(menu->defaultAction(), menu->actions()[0]);
    for (const QAction* a : menu->actions())
        EXPECT_TRUE(a->isSeparator() || a->isEnabled());

    menu->actions()[0]->trigger();
    EXPECT_EQ(f.opened, (std::vector<std::string>{"file:///d/zwei.txt", "file:///e/drei.txt"}));
    menu->actions()[1]->trigger();
    ASSERT_EQ(f.shown.size(), 1u);
    EXPECT_EQ(f.shown[0].first,
              (std::vector<std::string>{"file:///d/zwei.txt", "file:///e/drei.txt"}));
    EXPECT_EQ(f.shown[0].second, "/d/");
    menu->actions()[3]->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("/d/zwei.txt\n/e/drei.txt\n"));
    menu->actions()[4]->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("Datei\tGröße (Byte)\n/d/zwei.txt\t20 Byte\n/e/drei.txt\t3 Byte\n"));
    EXPECT_TRUE(f.boxes.shown.empty());
}

// Enter opens the selected rows; a file the desktop cannot open is reported by its path.
TEST(ResultListActions, EnterOpensAndAFailureIsReported) {
    ListFixture f;
    f.Select({0});
    f.view.selectionModel()->setCurrentIndex(f.model.index(0, 0), QItemSelectionModel::NoUpdate);
    f.openWorks = false;
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&f.view, &enter);
    EXPECT_EQ(f.opened, std::vector<std::string>{"file:///d/eins.txt"});
    ASSERT_EQ(f.boxes.shown.size(), 1u);
    EXPECT_EQ(f.boxes.shown[0], (ScriptedMessageBoxes::Shown{"Error", Msg(325) + "/d/eins.txt"}));
}
