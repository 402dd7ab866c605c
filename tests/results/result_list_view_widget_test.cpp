#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QMouseEvent>

#include "results/result_list_view.h"
#include "results/result_model.h"
#include "support/table_builder.h"

namespace {

struct ListView {
    ResultModel model;
    ResultListView view;

    explicit ListView(int rows) {
        ResultTable t = MakeTable({"Datei", "Größe (Byte)"}, {});
        for (int r = 0; r < rows; ++r) {
            ResultRow row;
            row.Append("/d/ein recht langer Name der Datei Nummer " + std::to_string(r) + ".txt");
            row.Append(std::to_string(r) + " Byte");
            t.rows.push_back(std::move(row));
        }
        model.SetColumns(t.columns);
        model.AppendRows(std::move(t.rows));
        view.setModel(&model);
        view.setSelectionMode(QAbstractItemView::ExtendedSelection);
        view.setSelectionBehavior(QAbstractItemView::SelectRows);
        view.header()->resizeSection(0, 600);
        view.resize(300, 200);
        view.show();
    }
    std::vector<int> SelectedRows() const {
        std::vector<int> rows;
        for (const QModelIndex& i : view.selectionModel()->selectedRows())
            rows.push_back(i.row());
        std::sort(rows.begin(), rows.end());
        return rows;
    }
};

void Press(QWidget& target, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&target, &press);
}

void Click(QWidget& target, QPoint at, Qt::KeyboardModifiers modifiers) {
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, at, target.mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          modifiers);
        QApplication::sendEvent(&target, &click);
    }
}

} // namespace

// One line per row at the font's height, without grid, row numbers or wrapped text.
TEST(ResultListView, LooksLikeAPlainList) {
    ListView l(5);
    EXPECT_FALSE(l.view.showGrid());
    EXPECT_FALSE(l.view.verticalHeader()->isVisibleTo(&l.view));
    EXPECT_FALSE(l.view.wordWrap());
    EXPECT_EQ(l.view.header()->defaultAlignment(), Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_GE(l.view.RowHeight(), QFontMetrics(l.view.font()).height());
    EXPECT_LT(l.view.RowHeight(), 2 * QFontMetrics(l.view.font()).height());
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(l.view.rowHeight(r), l.view.RowHeight()) << r;
    QFont big = l.view.font();
    big.setPointSize(big.pointSize() * 2);
    l.view.setFont(big);
    EXPECT_GE(l.view.rowHeight(4), QFontMetrics(big).height());
}

// Keys move by whole rows; Left and Right only scroll sideways, Tab leaves the list.
TEST(ResultListView, KeysMoveByRows) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int row;
        std::vector<int> selected;
        int scrolled; // -1 left, 0 none, 1 right
    };
    const std::vector<Case> cases = {
        {Qt::Key_Down, Qt::NoModifier, 3, {3}, 0},
        {Qt::Key_Up, Qt::NoModifier, 1, {1}, 0},
        {Qt::Key_Down, Qt::ShiftModifier, 3, {2, 3}, 0},
        {Qt::Key_Home, Qt::NoModifier, 0, {0}, 0},
        {Qt::Key_End, Qt::NoModifier, 5, {5}, 0},
        {Qt::Key_End, Qt::ShiftModifier, 5, {2, 3, 4, 5}, 0},
        {Qt::Key_Right, Qt::NoModifier, 2, {2}, 1},
        {Qt::Key_Left, Qt::NoModifier, 2, {2}, -1},
    };
    for (const Case& c : cases) {
        ListView l(6);
        l.view.setFocus();
        l.view.setCurrentIndex(l.model.index(2, 0));
        QScrollBar& bar = *l.view.horizontalScrollBar();
        bar.setValue(bar.maximum() / 2);
        const int before = bar.value();
        ASSERT_GT(before, 0);
        Press(l.view, c.key, c.modifiers);
        const std::string what = QKeySequence(c.key | c.modifiers).toString().toStdString();
        EXPECT_EQ(l.view.currentIndex().row(), c.row) << what;
        EXPECT_EQ(l.view.currentIndex().column(), 0) << what;
        EXPECT_EQ(l.SelectedRows(), c.selected) << what;
        if (c.scrolled == 0)
            EXPECT_EQ(bar.value(), before) << what;
        else
            EXPECT_EQ(bar.value() > before ? 1 : -1, c.scrolled) << what;
    }
    EXPECT_FALSE(ListView(1).view.tabKeyNavigation());
}

// A click anywhere in a row selects the whole row; Ctrl adds one.
TEST(ResultListView, ClickSelectsWholeRows) {
    ListView l(4);
    const auto centre = [&](int row, int column) {
        return l.view.visualRect(l.model.index(row, column)).center();
    };
    Click(*l.view.viewport(), centre(1, 0), Qt::NoModifier);
    Click(*l.view.viewport(), centre(3, 1), Qt::ControlModifier);
    EXPECT_EQ(l.SelectedRows(), (std::vector<int>{1, 3}));
    EXPECT_EQ(l.view.selectionModel()->selectedIndexes().size(), 4);
}
