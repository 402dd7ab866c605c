#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QSplitter>
#include <QTreeView>

#include "app/tform1.h"
#include "results/result_model.h"
#include "support/scripted_message_boxes.h"
#include "support/table_builder.h"

// Panel3 (the pages) keeps its 286 pixels; the command panel and the result list take what
// the window gains.
TEST(WindowLayout, CommandPanelAndResultListFollowTheGrowingWindow) {
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes};
    w.show();
    QApplication::processEvents();
    const QList<int> columnBefore = w.Splitter2->sizes(), rowBefore = w.Splitter1->sizes();
    w.resize(w.width() + 100, w.height() + 200);
    QApplication::processEvents();
    const QList<int> columnAfter = w.Splitter2->sizes(), rowAfter = w.Splitter1->sizes();
    EXPECT_EQ(columnBefore[0], 286);
    EXPECT_EQ(columnAfter[0], 286);
    EXPECT_EQ(columnAfter[1] - columnBefore[1], 200);
    EXPECT_EQ(rowAfter[0], rowBefore[0]);
    EXPECT_EQ(rowAfter[1] - rowBefore[1], 100);
}

TEST(WindowLayout, BusyIndicatorIsARedFilledCircle) {
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes};
    w.Shape1->show();
    const QImage image = w.Shape1->grab().toImage();
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    ASSERT_GE(right, 0) << "nothing red drawn";
    EXPECT_EQ(right - left, bottom - top); // as wide as high
    EXPECT_GE(bottom - top, 6);
    const QColor centre = image.pixelColor((left + right) / 2, (top + bottom) / 2);
    EXPECT_EQ(centre.red(), 255) << "filled";
}

// Fitting measures the widest cell in the list's font, not the one with the most characters,
// and "kurzer Name" ends fitted to its contents, not at the 100-pixel minimum.
TEST(WindowLayout, ColumnsFitTheirWidestCell) {
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes};
    const std::string narrow(40, 'i'), wide(24, 'W');
    ResultTable table = MakeTable({"Datei", "kurzer Name"}, {});
    for (int i = 0; i <= 20; ++i) {
        ResultRow row;
        row.Append("/" + (i < 20 ? narrow : wide));
        row.Append("x");
        table.rows.push_back(std::move(row));
    }
    w.Results->SetColumns(table.columns);
    w.Results->AppendRows(std::move(table.rows));
    w.FitColumnsToContents();
    const QFontMetrics fm(w.ListView1->font());
    ASSERT_GT(fm.horizontalAdvance(QString::fromStdString("/" + wide)),
              fm.horizontalAdvance(QString::fromStdString("/" + narrow)));
    EXPECT_GE(w.ListView1->header()->sectionSize(0),
              fm.horizontalAdvance(QString::fromStdString("/" + wide)));

    w.ckbShowShortFileName->setChecked(true);
    w.CreateLVColumns();
    const QFontMetrics header(w.ListView1->header()->font());
    EXPECT_LT(w.ListView1->header()->sectionSize(1), 100);
    EXPECT_GE(w.ListView1->header()->sectionSize(1), header.horizontalAdvance("kurzer Name"));
}
