#include <gtest/gtest.h>

#include <algorithm>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "app/tform1.h"
#include "results/result_model.h"
#include "search/search_control_logic.h"
#include "search/search_runner.h"
#include "support/scripted_message_boxes.h"
#include "support/temp_tree.h"
#include "trees/look_in_tree.h"

namespace {

struct Buttons {
    bool search, cancel, save, compose;
    bool operator==(const Buttons&) const = default;
};

Buttons StateOf(const TForm1& w) {
    return {w.btnSearch->isEnabled(), w.btnCancel->isEnabled(), w.btnSave->isEnabled(),
            w.btnAutocreateFName->isEnabled()};
}

void WaitForEnd(TForm1& w) {
    QElapsedTimer timer;
    timer.start();
    while ((w.SearchRunning() || w.btnCancel->isEnabled()) && timer.elapsed() < 20000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

std::string Panel(const QLabel* l) { return l->text().toStdString(); }

std::vector<QPointer<SearchRunner>> Runners(TForm1& w) {
    std::vector<QPointer<SearchRunner>> out;
    for (SearchRunner* r : w.findChildren<SearchRunner*>())
        out.emplace_back(r);
    return out;
}

// Until every search thread has ended and its end has been handled.
void WaitForEverySearchToGo(TForm1& w) {
    QElapsedTimer timer;
    timer.start();
    while (!w.findChildren<SearchRunner*>().empty() && timer.elapsed() < 20000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void PressKey(QWidget* to, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(to, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(to, &release);
}

// As the user picks an entry from the open list, the one shown included.
void Pick(QComboBox* box, int index) {
    box->showPopup();
    box->view()->setCurrentIndex(box->model()->index(index, 0));
    PressKey(box->view(), Qt::Key_Return);
}

void Activate(QWidget& w) {
    w.show();
    w.activateWindow();
    QElapsedTimer timer;
    timer.start();
    while (QApplication::activeWindow() != &w && timer.elapsed() < 20000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

class SearchControl : public ::testing::Test {
protected:
    ScriptedMessageBoxes boxes;
    TempTree tree;
    TForm1 window{boxes};

    void Start(const std::string& folder, const std::string& lookFor) {
        if (!folder.empty()) {
            ASSERT_TRUE(window.stLookIn->SelectPath(folder));
        }
        window.cbLookfor->setEditText(QString::fromStdString(lookFor));
        window.btnSearchClick();
    }
};

} // namespace

TEST_F(SearchControl, FirstStateAndAFoundCount) {
    EXPECT_EQ(StateOf(window), (Buttons{true, false, true, false}));
    EXPECT_EQ(window.ckbShowSize->text().toStdString(), "Größe (Byte)");
    tree.File("one.txt", 5);
    tree.File("two.dat", 5);
    window.ckbShowSize->setChecked(true);
    Start(tree.Root(), "  *.txt ");
    EXPECT_EQ(window.cbLookfor->currentText().toStdString(), "*.txt"); // trimmed in the box
    WaitForEnd(window);
    EXPECT_EQ(Panel(window.StatusPanel0), "Suche beendet.");
    EXPECT_EQ(Panel(window.StatusPanel1), "Fundstellen: 1");
    ASSERT_EQ(window.Results->rowCount(), 1);
    EXPECT_EQ(window.Results->Table().rows[0].Cell(1), "5 Byte");
    EXPECT_EQ(StateOf(window), (Buttons{true, false, true, true}));
    EXPECT_EQ(window.cbLookfor->itemText(0).toStdString(), "*.txt");
}

TEST_F(SearchControl, NothingFoundRemovesTheColumns) {
    tree.File("a.dat");
    Start(tree.Root(), "*.none");
    WaitForEnd(window);
    EXPECT_EQ(Panel(window.StatusPanel0), "Suche beendet.");
    EXPECT_EQ(Panel(window.StatusPanel1), "Suchziel nicht gefunden.");
    EXPECT_EQ(window.Results->columnCount(), 0);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SearchControl, RefusalsAndTheButtonsAfterThem) {
    tree.File("a.txt");
    // 80: empty look-for text; the rows of the last search are gone already.
    Start(tree.Root(), "*.txt");
    WaitForEnd(window);
    ASSERT_EQ(window.Results->rowCount(), 1);
    Start(tree.Root(), "   ");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0], (ScriptedMessageBoxes::Shown{"Error", "Geben Sie bitte einen Dateinamen oder eine Suchmaske ein."}));
    EXPECT_EQ(window.Results->rowCount(), 0);
    EXPECT_EQ(StateOf(window), (Buttons{true, false, true, true})); // commands come back
    EXPECT_FALSE(window.SearchRunning());

    // 34: no readable medium.
    window.HasReadableMedium = [](const std::string&) { return false; };
    Start(tree.Root(), "*.txt");
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, "Systemfehler. Wahrscheinlich kein Medium im Laufwerk.");
    EXPECT_EQ(StateOf(window), (Buttons{true, false, false, true}));

    // 102: no folder selected and no earlier target.
    TForm1 fresh{boxes};
    fresh.stLookIn->setCurrentItem(nullptr);
    fresh.cbLookfor->setEditText("*.txt");
    fresh.btnSearchClick();
    ASSERT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(boxes.shown[2].text, "Kein Laufwerk oder Ordner zum Suchen ausgewählt.");
    EXPECT_EQ(StateOf(fresh), (Buttons{true, false, true, true}));
}

TEST_F(SearchControl, CancelKeepsTheRowsFoundSoFar) {
    for (int d = 0; d < 40; ++d)
        for (int f = 0; f < 500; ++f) tree.File("d" + std::to_string(d) + "/f" + std::to_string(f) + ".txt");
    window.ckbIncludeSubfolders->setChecked(true);
    window.ckbShowType->setChecked(true);
    Start(tree.Root(), "*.txt");
    EXPECT_TRUE(window.Shape1->isVisibleTo(&window));
    window.btnCancelClick();
    EXPECT_FALSE(window.Shape1->isVisibleTo(&window));
    EXPECT_EQ(StateOf(window), (Buttons{true, true, true, true})); // Cancel stays until the end
    WaitForEnd(window);
    EXPECT_EQ(Panel(window.StatusPanel0), "Suche abgebrochen.");
    EXPECT_EQ(Panel(window.StatusPanel1), "");
    EXPECT_LT(window.Results->rowCount(), 20000);
    EXPECT_GT(window.Results->columnCount(), 0);
}

TEST_F(SearchControl, EndOfACancelledSearchLeavesTheNewerOneAlone) {
    for (int f = 0; f < 20000; ++f) tree.File("big/f" + std::to_string(f) + ".txt");
    tree.File("small/only.txt");
    window.ckbShowType->setChecked(true);
    Start(tree.Path("big"), "*.txt");
    window.btnCancelClick();
    Start(tree.Path("small"), "*.txt"); // the first thread may still be ending
    WaitForEnd(window);
    QApplication::processEvents();
    EXPECT_EQ(Panel(window.StatusPanel1), "Fundstellen: 1");
    ASSERT_EQ(window.Results->rowCount(), 1);
    EXPECT_EQ(window.Results->Table().rows[0].Cell(0), tree.Path("small/only.txt"));
}

TEST_F(SearchControl, OnlyFoldersStartsWithTheColumnOptionsUnchecked) {
    tree.File("x/a.txt", 3);
    window.ckbShowDateTime->setChecked(true);
    window.ckbOnlyFolders->setChecked(true);
    EXPECT_FALSE(window.ckbShowDateTime->isEnabled());
    window.ckbIncludeSubfolders->setChecked(true);
    Start(tree.Root(), "*.txt");
    EXPECT_FALSE(window.ckbShowDateTime->isChecked());
    WaitForEnd(window);
    ASSERT_EQ(window.Results->columnCount(), 2);
    ASSERT_EQ(window.Results->rowCount(), 1);
    EXPECT_EQ(window.Results->Table().rows[0].Cell(0), tree.Path("x"));
    EXPECT_EQ(window.Results->Table().rows[0].Cell(1), "3 Byte");
}

TEST_F(SearchControl, ClosingDuringASearchStopsAndWaitsForIt) {
    for (int f = 0; f < 20000; ++f) tree.File("f" + std::to_string(f) + ".txt");
    window.ckbShowType->setChecked(true);
    Start(tree.Root(), "*.txt");
    window.close();
    EXPECT_FALSE(window.SearchRunning());
    QApplication::processEvents(); // the ended thread object is released once
}

// The unit box may change while a search runs: rows keep the unit the search started with,
// and a size sort reads them by that unit.
TEST_F(SearchControl, UnitChangedDuringASearchLeavesItsCellsAndSortAlone) {
    tree.File("small.txt", 1024);
    tree.File("large.txt", 3 * 1024);
    tree.File("middle.txt", 2 * 1024);
    window.ckbShowSize->setChecked(true);
    window.RadioGroup1Items[1]->setChecked(true); // Kilobyte
    Start(tree.Root(), "*.txt");
    window.RadioGroup1Items[0]->setChecked(true); // Byte, before any row has come
    WaitForEnd(window);
    ASSERT_EQ(window.Results->rowCount(), 3);
    EXPECT_EQ(window.Results->Table().columns[1].caption, "Größe (KB)");
    for (const ResultRow& row : window.Results->Table().rows)
        EXPECT_TRUE(row.Cell(1).ends_with(",000 KB")) << row.Cell(1);

    window.ListView1ColumnClick(1); // size: largest first
    std::vector<std::string> order;
    for (const ResultRow& row : window.Results->Table().rows) order.emplace_back(row.Cell(0));
    EXPECT_EQ(order, (std::vector<std::string>{tree.Path("large.txt"), tree.Path("middle.txt"),
                                               tree.Path("small.txt")}));
}

// The look-for box takes several masks; the history keeps the text, and the composed name
// is made of each mask. A text without ";" is one mask as before.
TEST_F(SearchControl, SeveralMasksAreFoundAndComposedIntoAName) {
    for (const char* name : {"a.jpg", "b.PNG", "c.txt", "d;e.jpg"})
        tree.File(name);
    std::string folder = tree.Root();
    std::replace(folder.begin(), folder.end(), '/', '_');
    const struct {
        std::string typed;
        std::vector<std::string> found;
        std::string composed;
    } cases[] = {
        {" *.jpg; *.png ", {"a.jpg", "b.PNG", "d;e.jpg"}, folder + "_jpg_png.txt"},
        {"*.jpg", {"a.jpg", "d;e.jpg"}, folder + "_jpg.txt"},
    };
    for (const auto& c : cases) {
        window.edSaveAs->clear();
        Start(tree.Root(), c.typed);
        WaitForEnd(window);
        std::vector<std::string> found;
        for (const ResultRow& row : window.Results->Table().rows)
            found.emplace_back(row.Cell(0).substr(tree.Root().size() + 1));
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, c.found) << c.typed;
        EXPECT_EQ(window.cbLookfor->itemText(0).toStdString(), TrimBlanks(c.typed));
        window.btnAutocreateFNameClick();
        EXPECT_EQ(window.edSaveAs->text().toStdString(), c.composed) << c.typed;
    }
    EXPECT_TRUE(boxes.shown.empty());
}

// A start command while a search runs stops that search first; nothing of its end reaches the
// window: neither its rows nor its report, whether the new start runs or is refused.
TEST_F(SearchControl, StartDuringASearchStopsItAndItsEndTouchesNothing) {
    for (int f = 0; f < 5000; ++f)
        tree.File("big/f" + std::to_string(f) + ".txt");
    window.ckbShowType->setChecked(true);
    struct Case {
        const char* secondLookFor;
        bool cancelAfter;
        std::string panel0;
        std::size_t boxesShown;
    };
    const Case cases[] = {{"*.txt", true, "Suche abgebrochen.", 0}, {"", false, "", 1}};
    for (const Case& c : cases) {
        boxes.shown.clear();
        Start(tree.Path("big"), "*.txt");
        const auto first = Runners(window);
        ASSERT_EQ(first.size(), 1u);
        window.cbLookfor->setEditText(c.secondLookFor);
        window.mnStart->trigger();
        ASSERT_TRUE(first[0]); // thousands of hand-overs away from its end
        EXPECT_TRUE(first[0]->Terminated()) << c.secondLookFor;
        EXPECT_EQ(boxes.shown.size(), c.boxesShown);
        if (c.cancelAfter)
            window.mnCancel->trigger();
        EXPECT_FALSE(window.Shape1->isVisibleTo(&window));
        WaitForEverySearchToGo(window); // each runner joins its threads as it goes
        EXPECT_TRUE(window.findChildren<SearchRunner*>().empty());
        EXPECT_EQ(Panel(window.StatusPanel0), c.panel0) << c.secondLookFor;
        EXPECT_EQ(Panel(window.StatusPanel1), "");
        EXPECT_EQ(window.Results->rowCount(), 0);
        EXPECT_EQ(StateOf(window), (Buttons{true, false, true, true}));
    }
}

// Only a change of the structure mode adapts the options; picking the mode shown changes none.
TEST_F(SearchControl, PickingTheStructureModeShownKeepsTheOptions) {
    tree.File("sub/deep.txt");
    window.ckbIncludeSubfolders->setChecked(true);
    struct Step {
        int pick;
        bool subfolders, countsShown;
    };
    const Step steps[] = {
        {0, true, false}, {1, true, true}, {1, true, true}, {0, false, false}, {0, false, false}};
    for (const Step& s : steps) {
        Pick(window.cbStructureSearch, s.pick);
        ASSERT_EQ(window.cbStructureSearch->currentIndex(), s.pick);
        EXPECT_EQ(window.ckbIncludeSubfolders->isChecked(), s.subfolders) << &s - steps;
        EXPECT_EQ(!window.ckbNumFolders->isHidden(), s.countsShown) << &s - steps;
    }
    window.ckbIncludeSubfolders->setChecked(true);
    Pick(window.cbStructureSearch, 0);
    Start(tree.Root(), "*.txt");
    WaitForEnd(window);
    ASSERT_EQ(window.Results->rowCount(), 1);
    EXPECT_EQ(window.Results->Table().rows[0].Cell(0), tree.Path("sub/deep.txt"));
}

// The look-for box keeps the letter case typed, however it is left, next to a history entry
// that differs only in case; the history gains nothing.
TEST_F(SearchControl, LookForTextStaysAsTyped) {
    tree.File("abc.txt");
    Start(tree.Root(), "Abc*");
    WaitForEnd(window);
    Activate(window);
    QLineEdit* edit = window.cbLookfor->lineEdit();
    const std::vector<std::function<void()>> leaving = {
        [&] { PressKey(edit, Qt::Key_Tab); },
        [&] { PressKey(edit, Qt::Key_Return); },
        [&] { // the end of a search moves the focus to the compose button
            window.btnSearchClick();
            WaitForEnd(window);
        },
    };
    for (std::size_t i = 0; i < leaving.size(); ++i) {
        edit->clear();
        window.cbLookfor->setFocus();
        ASSERT_TRUE(edit->hasFocus());
        for (const QChar ch : QStringLiteral("ABC*"))
            PressKey(edit, ch.unicode(), ch);
        ASSERT_EQ(edit->text().toStdString(), "ABC*");
        leaving[i]();
        EXPECT_EQ(window.cbLookfor->currentText().toStdString(), "ABC*") << i;
        EXPECT_EQ(window.cbLookfor->count(), 1) << i;
        EXPECT_EQ(window.cbLookfor->itemText(0).toStdString(), "Abc*") << i;
    }
    EXPECT_FALSE(edit->hasFocus());
}
