#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <filesystem>

#include "app/tform1.h"
#include "results/result_model.h"
#include "support/scripted_message_boxes.h"
#include "support/temp_tree.h"
#include "trees/look_in_tree.h"

namespace {
std::string Text(const QLabel* l) { return l->text().toStdString(); }

void WaitForEnd(TForm1& w) {
    QElapsedTimer timer;
    timer.start();
    while (w.btnCancel->isEnabled() && timer.elapsed() < 20000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}
} // namespace

TEST(MainWindow, FirstStartWithoutSettingsOrArgument) {
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes};
    EXPECT_EQ(w.PageControl1->currentWidget(), w.tsLookIn);
    EXPECT_EQ(Text(w.StatusPanel0), "Suchen in:");
    EXPECT_EQ(Text(w.StatusPanel1), "Speichern in:");
    EXPECT_TRUE(w.btnSearch->isEnabled());
    EXPECT_TRUE(w.btnSave->isEnabled());
    EXPECT_FALSE(w.btnCancel->isEnabled());
    EXPECT_FALSE(w.btnAutocreateFName->isEnabled());
    EXPECT_FALSE(w.Shape1->isVisibleTo(&w));
    EXPECT_EQ(w.ckbShowSize->text().toStdString(), "Größe (Byte)"); // the unit handler ran
    EXPECT_EQ(w.RadioGroup1Buttons->checkedId(), 0);
    EXPECT_EQ(w.cbStructureSearch->currentIndex(), 0);
    EXPECT_EQ(w.cbLookfor->count(), 0);
    EXPECT_TRUE(w.cbLookfor->currentText().isEmpty());
    for (QCheckBox* box : {w.ckbShowSize, w.ckbShowDateTime, w.ckbCrTime, w.ckbLAccessTime,
                           w.ckbShowAttributes, w.ckbShowShortFileName, w.ckbShowType,
                           w.ckbIncludeSubfolders, w.ckbOnlyFolders, w.ckbIncludeDate})
        EXPECT_FALSE(box->isChecked()) << box->text().toStdString();
    EXPECT_FALSE(w.ckbNumFiles->isVisibleTo(&w));
    ASSERT_EQ(w.Results->columnCount(), 2); // the design columns until the first search
    EXPECT_EQ(w.Results->Table().columns[1].caption, "Größe (MB)");
    EXPECT_TRUE(w.windowTitle().startsWith("Pathquill"));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(MainWindow, TextsFromTheStringTableInPlace) {
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes};
    const QStringList tabs{w.PageControl1->tabText(0), w.PageControl1->tabText(1),
                           w.PageControl1->tabText(2), w.PageControl1->tabText(3)};
    EXPECT_EQ(tabs, (QStringList{"Suchen &in", "&Optionen", "Speic&hern in", "Ei&nstellungen"}));
    EXPECT_EQ(w.mnDatei->title(), "&Datei");
    QStringList menu;
    for (QAction* a : w.mnDatei->actions()) menu << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(menu, (QStringList{"Suchen &in", "&Suchen", "&Abbrechen", "-", "Speic&hern in",
                                 "S&peichern", "&Drucken \u2026", "Als PD&F exportieren \u2026",
                                 "Als &Tabelle exportieren (.xlsx) \u2026", "-", "&Beenden"}));
    for (QAction* a : w.mnDatei->actions()) EXPECT_TRUE(a->shortcut().isEmpty());
    EXPECT_EQ(w.mnHelpSymbol->title(), "&?");
    EXPECT_EQ(w.GroupBox1->title(), "Optionen für Suchen in");
    EXPECT_EQ(w.GroupBox2->title(), "Optionen für Speichern unter");
    EXPECT_EQ(w.GroupBox3->title(), "Ihr CD-ROM/DVD-Laufwerk");
    EXPECT_EQ(w.RadioGroup1->title(), "Größenangaben in");
    EXPECT_EQ(w.RadioGroup1Items[2]->text(), "Megabyte");
    EXPECT_EQ(w.RadioGroup2->title(), "Kontextmenü für Ordner");
    EXPECT_EQ(w.RadioGroup2->toolTip(), "ermöglicht Eintrag im Ordner-Kontextmenü des Explorers");
    EXPECT_EQ(w.ckbOnlyFolders->text(), "Ordnername und -größe");
    EXPECT_EQ(w.Label1->text(), "Strukturdarstellung:");
    EXPECT_EQ(w.cbStructureSearch->itemText(1), "Windows-Explorer");
    EXPECT_EQ(w.btnAutocreateFName->text(), "Dateinamen &erzeugen");
    EXPECT_EQ(w.ckbIncludeDate->toolTip(), "Fügt Datum in Speicherdatei ein");
    EXPECT_NE(w.edSaveAs->validator(), nullptr); // the typed-length limit, see the save tests
}

TEST(MainWindow, FolderArgumentStartsASearchWithFixedOptions) {
    ScriptedMessageBoxes boxes;
    TempTree tree;
    tree.File("sub/a.txt", 2048);
    tree.File("b.dat", 1024);
    TForm1 w{boxes, "\"" + tree.Root() + "\""}; // quoted as the folder entry passes it
    EXPECT_TRUE(w.btnCancel->isEnabled()); // running before the window is shown
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.cbLookfor->currentText(), "*.*");
    EXPECT_EQ(w.RadioGroup1Buttons->checkedId(), 1);
    EXPECT_EQ(w.ckbShowSize->text().toStdString(), "Größe (KB)");
    for (QCheckBox* on : {w.ckbShowSize, w.ckbShowDateTime, w.ckbShowAttributes, w.ckbShowType})
        EXPECT_TRUE(on->isChecked());
    for (QCheckBox* off : {w.ckbCrTime, w.ckbLAccessTime, w.ckbShowShortFileName,
                           w.ckbIncludeSubfolders, w.ckbOnlyFolders})
        EXPECT_FALSE(off->isChecked());
    WaitForEnd(w);
    EXPECT_EQ(Text(w.StatusPanel1), "Fundstellen: 1");
    ASSERT_EQ(w.Results->rowCount(), 1);
    EXPECT_EQ(w.Results->Table().rows[0].Cell(0), tree.Path("b.dat"));
    EXPECT_EQ(w.Results->Table().rows[0].Cell(1), "       1,000 KB");
    EXPECT_EQ(w.Results->Table().columns.size(), 5u);
}

TEST(MainWindow, LookInStatusLine) {
    ScriptedMessageBoxes boxes;
    TempTree tree;
    TForm1 w{boxes};
    w.resize(673, 482);
    w.show();
    QApplication::processEvents();
    w.stLookIn->SelectComputer();
    EXPECT_EQ(Text(w.StatusPanel0), "Suchen in: Alle Laufwerke");
    w.stLookIn->SelectPath("/");
    EXPECT_EQ(Text(w.StatusPanel0), "Suchen in: /");
    w.stLookIn->SelectPath(tree.Root() + "/");
    EXPECT_EQ(Text(w.StatusPanel0), "Suchen in: " + tree.Root());
    w.stLookIn->setCurrentItem(nullptr);
    EXPECT_EQ(Text(w.StatusPanel0), "Suchen in: ");
    // A folder that does not exist leaves the selection as it is.
    w.stLookIn->SelectPath(tree.Root());
    EXPECT_FALSE(w.stLookIn->SelectPath(tree.Path("gone")));
    EXPECT_EQ(w.stLookIn->SelectedPath(), tree.Root());

    const std::string deep = tree.Folder(
        "a_rather_long_folder_name/another_long_folder_name/yet_another_folder/the_last_folder_name");
    w.stLookIn->SelectPath(deep);
    const std::string shown = Text(w.StatusPanel0).substr(std::string("Suchen in: ").size());
    EXPECT_NE(shown, deep);
    EXPECT_EQ(shown.rfind("/.../", 0), 0u) << shown;
    EXPECT_TRUE(shown.ends_with("/the_last_folder_name")) << shown;
    const QFontMetrics fm(w.statusBar()->font());
    EXPECT_LE(fm.horizontalAdvance(QString::fromStdString(shown)), w.StatusPanel0->width() - 60);
}

TEST(MainWindow, MenuItemsRunTheButtonHandlers) {
    ScriptedMessageBoxes boxes;
    TempTree tree;
    tree.File("x.txt");
    TForm1 w{boxes};
    w.mnSaveIn->trigger();
    EXPECT_EQ(w.PageControl1->currentWidget(), w.tsSaveIn);
    w.mnLookIn->trigger();
    EXPECT_EQ(w.PageControl1->currentWidget(), w.tsLookIn);

    w.mnCancel->trigger(); // no search: no thread touched, commands enabled
    EXPECT_TRUE(w.btnSearch->isEnabled());
    EXPECT_TRUE(w.btnSave->isEnabled());
    EXPECT_TRUE(w.btnAutocreateFName->isEnabled());

    w.stLookIn->SelectPath(tree.Root());
    w.mnStart->trigger(); // empty look-for text: the same refusal as the button
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Geben Sie bitte einen Dateinamen oder eine Suchmaske ein.");
    w.cbLookfor->setEditText("*.txt");
    w.mnStart->trigger();
    WaitForEnd(w);
    EXPECT_EQ(Text(w.StatusPanel1), "Fundstellen: 1");
    EXPECT_TRUE(w.mnStart->isEnabled()); // menu items are never disabled
}

// The Datei menu's handlers keep their names and do what their items do.
TEST(MainWindow, MenuHandlersByName) {
    ScriptedMessageBoxes boxes;
    TempTree tree;
    tree.File("x.txt");
    TForm1 w{boxes};
    w.show();
    const std::pair<void (TForm1::*)(), QWidget * TForm1::*> pages[] = {
        {&TForm1::mnSaveInClick, &TForm1::tsSaveIn}, {&TForm1::mnLookInClick, &TForm1::tsLookIn}};
    for (const auto& [handler, page] : pages) {
        (w.*handler)();
        EXPECT_EQ(w.PageControl1->currentWidget(), w.*page);
    }
    w.stLookIn->SelectPath(tree.Root());
    w.cbLookfor->setEditText("*.txt");
    w.mnStartClick();
    EXPECT_TRUE(w.SearchRunning()); // its end is handled only by the event loop
    w.mnCancelClick();
    EXPECT_FALSE(w.SearchRunning());
    WaitForEnd(w);
    EXPECT_EQ(Text(w.StatusPanel0), "Suche abgebrochen.");
    w.mnExitClick();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(MainWindow, ExitDuringASearchStopsIt) {
    ScriptedMessageBoxes boxes;
    TempTree tree;
    for (int f = 0; f < 20000; ++f) tree.File("f" + std::to_string(f) + ".txt");
    TForm1 w{boxes, tree.Root()};
    w.show();
    w.mnExit->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.SearchRunning());
    EXPECT_FALSE(w.Shape1->isVisibleTo(&w));
    QApplication::processEvents(); // the ended thread object goes once
}

// The folder argument either lists that very folder or is refused; the folder selected
// before is never searched in its place.
TEST(MainWindow, FolderArgumentListsThatFolderOrIsRefused) {
    TempTree tree;
    tree.File("mit Blank/a.txt", 1);
    const std::string odd = std::string("caf\xE9");
    tree.File(odd + "/b.txt", 1);
    const std::string relative =
        std::filesystem::relative(tree.Path("mit Blank"), std::filesystem::current_path()).string();
    const std::string listed[] = {relative, "file://" + tree.Root() + "/mit%20Blank/"};
    for (const std::string& argument : listed) {
        ScriptedMessageBoxes boxes;
        TForm1 w{boxes, argument};
        WaitForEnd(w);
        EXPECT_TRUE(boxes.shown.empty()) << argument;
        ASSERT_EQ(w.Results->rowCount(), 1) << argument;
        EXPECT_EQ(w.Results->Table().rows[0].Cell(0), tree.Path("mit Blank/a.txt"));
    }
    const ScriptedMessageBoxes::Shown refusal{"Error", "Ausgewählter Ordner existiert nicht."};
    for (const std::string& argument : {tree.Path("missing"), tree.Path("mit Blank/a.txt")}) {
        ScriptedMessageBoxes boxes;
        TForm1 w{boxes, argument};
        EXPECT_FALSE(w.SearchRunning()) << argument;
        EXPECT_EQ(boxes.shown, std::vector<ScriptedMessageBoxes::Shown>{refusal}) << argument;
    }
    // A name that is not UTF-8: listed when the tree keeps its bytes, else refused.
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes, tree.Path(odd)};
    WaitForEnd(w);
    if (boxes.shown.empty()) {
        ASSERT_EQ(w.Results->rowCount(), 1);
        EXPECT_EQ(w.Results->Table().rows[0].Cell(0), tree.Path(odd + "/b.txt"));
    } else {
        EXPECT_EQ(boxes.shown, std::vector<ScriptedMessageBoxes::Shown>{refusal});
        EXPECT_FALSE(w.SearchRunning());
    }
}
