#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include "app/tform1.h"
#include "results/result_list_view.h"
#include "support/scripted_message_boxes.h"
#include "trees/look_in_tree.h"
#include "trees/save_in_tree.h"

namespace {

QString NameOf(QObject* object);

QWidget* PressTab(TForm1& w) {
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(w.focusWidget(), &tab);
    return w.focusWidget();
}

QString NameOf(QObject* object) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(object);
    return a ? a->text(QAccessible::Name) : QString();
}

} // namespace

// Tab walks the page shown from top to bottom, then the command panel, then the list, and
// comes back to the pages; disabled and hidden controls are passed by.
TEST(WindowKeyboard, TabOrderFollowsTheLeftColumnDown) {
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes};
    w.show();
    QApplication::processEvents();
    struct Case {
        QWidget* page;
        std::vector<QWidget*> expected;
    };
    const std::vector<QWidget*> commands = {w.cbLookfor, w.edSaveAs, w.btnSearch, w.btnSave,
                                            w.ListView1};
    const Case cases[] = {
        {w.tsLookIn, {w.stLookIn}},
        {w.tsOptions,
         {w.ckbShowSize, w.ckbShowDateTime, w.ckbCrTime, w.ckbLAccessTime, w.ckbShowAttributes,
          w.ckbShowShortFileName, w.ckbShowType, w.ckbIncludeSubfolders, w.ckbOnlyFolders,
          w.cbStructureSearch, w.ckbIncludeDate}},
        {w.tsSaveIn, {w.sjtSaveIn}},
        // Tab enters a radio group once; the arrows move inside it.
        {w.tsSettings, {w.DriveComboBox1, w.RadioGroup1, w.RadioGroup2}},
    };
    for (const Case& c : cases) {
        w.PageControl1->setCurrentWidget(c.page);
        w.PageControl1->tabBar()->setFocus();
        std::vector<QWidget*> expected = c.expected;
        expected.insert(expected.end(), commands.begin(), commands.end());
        expected.push_back(w.PageControl1->tabBar());
        std::vector<QWidget*> visited;
        for (std::size_t i = 0; i < expected.size(); ++i)
            visited.push_back(PressTab(w));
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_TRUE(visited[i] == expected[i] || (qobject_cast<QRadioButton*>(visited[i]) &&
                                                      visited[i]->parentWidget() == expected[i]))
                << "page " << w.PageControl1->currentIndex() << ", step " << i << ": "
                << visited[i]->metaObject()->className() << " \""
                << NameOf(visited[i]).toStdString() << "\"";
    }
}

// Screen readers find a name for every control that takes the focus, for the busy indicator,
// the tray button and the list, and for each page's tab.
TEST(WindowKeyboard, EveryControlHasAnAccessibleName) {
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes};
    std::vector<QWidget*> named = {w.Shape1, w.sbEject, w.ListView1, w.stLookIn, w.sjtSaveIn};
    for (QWidget* child : w.findChildren<QWidget*>()) {
        // A combo box's own line edit and list and the pages' proxy speak for their owners.
        const bool part = qobject_cast<QComboBox*>(child->parentWidget()) ||
                          child->window() != &w || child->focusProxy() ||
                          child == w.PageControl1->tabBar();
        if ((child->focusPolicy() & Qt::TabFocus) && !part)
            named.push_back(child);
    }
    ASSERT_GT(named.size(), 25u);
    for (QWidget* control : named)
        EXPECT_FALSE(NameOf(control).trimmed().isEmpty()) << control->metaObject()->className();
    EXPECT_EQ(NameOf(w.cbLookfor), QStringLiteral("Suchen nach:"));
    EXPECT_EQ(NameOf(w.Shape1), QStringLiteral("Suche läuft"));
    QAccessibleInterface* tabs = QAccessible::queryAccessibleInterface(w.PageControl1->tabBar());
    ASSERT_NE(tabs, nullptr);
    QStringList tabNames;
    for (int i = 0; i < tabs->childCount(); ++i)
        if (tabs->child(i)->role() == QAccessible::PageTab)
            tabNames << tabs->child(i)->text(QAccessible::Name);
    EXPECT_EQ(tabNames, (QStringList{"Suchen in", "Optionen", "Speichern in", "Einstellungen"}));
}

// F10 opens the first menu from any control, and the control still gets the key.
TEST(WindowKeyboard, F10OpensTheMenuBar) {
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes};
    w.show();
    QApplication::processEvents();
    w.edSaveAs->setFocus();
    QKeyEvent f10(QEvent::KeyPress, Qt::Key_F10, Qt::NoModifier);
    QApplication::sendEvent(w.edSaveAs, &f10);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), w.mnDatei);
    w.mnDatei->close();
}
