#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>

#include "app/design_layout.h"
#include "app/tform1.h"
#include "results/result_list_view.h"
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
    const int pageArea = DesignScale::Of(w.font()).Y(286); // the design's height at this font
    EXPECT_EQ(columnBefore[0], pageArea);
    EXPECT_EQ(columnAfter[0], pageArea);
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

// A sorted header keeps its whole caption beside the glyph, left or right aligned, in every
// column kind and at a larger font too.
TEST(WindowLayout, SortGlyphLeavesEveryCaptionWhole) {
    for (const int points : {0, 12}) {
        ScriptedMessageBoxes boxes;
        TForm1 w{boxes};
        if (points > 0)
            w.setFont(QFont(QStringLiteral("DejaVu Sans"), points));
        for (QCheckBox* box : {w.ckbShowSize, w.ckbShowDateTime, w.ckbCrTime, w.ckbLAccessTime,
                               w.ckbShowAttributes, w.ckbShowShortFileName, w.ckbShowType})
            box->setChecked(true);
        for (const bool onlyFolders : {false, true}) {
            w.ckbOnlyFolders->setChecked(onlyFolders);
            w.CreateLVColumns();
            const QHeaderView& header = *w.ListView1->header();
            ASSERT_EQ(header.count(), onlyFolders ? 2 : 8);
            for (int clicked = 0; clicked < header.count(); ++clicked) {
                w.ListView1ColumnClick(clicked);
                for (int k = 0; k < header.count(); ++k)
                    EXPECT_GE(header.sectionSize(k), header.sectionSizeHint(k))
                        << points << " pt, " << w.Results->Table().columns[k].caption << " after a click on "
                        << clicked;
            }
        }
    }
}

namespace {
// The desktop's font for one window's life; the one before comes back afterwards.
struct DesktopFont {
    const QFont before = QApplication::font();
    explicit DesktopFont(int points) { QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), points)); }
    ~DesktopFont() { QApplication::setFont(before); }
};
} // namespace

// A window opened under a desktop font of 9, 10 or 12 points: every caption fits its control,
// every control lies inside its box and page, and the four tabs show whole.
TEST(WindowLayout, NoTextIsCutAtLargerFonts) {
    for (const int points : {9, 10, 12}) {
        const DesktopFont font(points);
        ScriptedMessageBoxes boxes;
        TForm1 w{boxes};
        w.show();
        QApplication::processEvents();
        const QTabBar& tabs = *w.PageControl1->tabBar();
        EXPECT_GE(w.PageControl1->width(), tabs.sizeHint().width()) << points;
        for (int i = 0; i < tabs.count(); ++i)
            EXPECT_GT(tabs.tabRect(i).width(), tabs.fontMetrics().horizontalAdvance(tabs.tabText(i).remove('&')))
                << points << " pt, tab " << i;
        for (QWidget* page : {w.tsOptions, w.tsSettings, w.tsLookIn}) {
            w.PageControl1->setCurrentWidget(page);
            QApplication::processEvents();
            for (QWidget* c : w.findChildren<QWidget*>()) {
                if (!c->isVisible() || !c->parentWidget() || qobject_cast<QComboBox*>(c->parentWidget()))
                    continue;
                const QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
                const std::string name = std::string(c->metaObject()->className()) + " \"" +
                                         (a ? a->text(QAccessible::Name).toStdString() : "") + "\"";
                const bool captioned = qobject_cast<QLabel*>(c) || qobject_cast<QAbstractButton*>(c) ||
                                       qobject_cast<QGroupBox*>(c);
                if (captioned) {
                    EXPECT_GE(c->width(), c->sizeHint().width()) << name << " " << points << " pt";
                    EXPECT_GE(c->height(), c->sizeHint().height()) << name << " " << points << " pt";
                }
                if (captioned || qobject_cast<QComboBox*>(c) || qobject_cast<QLineEdit*>(c)) {
                    EXPECT_TRUE(c->parentWidget()->rect().contains(c->geometry()))
                        << name << " " << points << " pt sticks out of its box";
                }
            }
        }
        // The buttons of the command panel stand side by side without covering one another.
        EXPECT_LE(w.btnSearch->geometry().right(), w.btnCancel->x());
        EXPECT_LE(w.btnCancel->geometry().right(), w.btnSave->x());
        EXPECT_LE(w.edSaveAs->y(), w.btnAutocreateFName->y());
        EXPECT_LT(w.cbLookfor->geometry().bottom(), w.edSaveAs->y());
    }
}
