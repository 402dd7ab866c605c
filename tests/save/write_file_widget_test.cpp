#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

#include "app/tform1.h"
#include "results/result_model.h"
#include "support/scripted_message_boxes.h"
#include "support/temp_tree.h"
#include "tests/cli/cli_capture.h"
#include "trees/look_in_tree.h"

// A search, a header click and a save: the file holds the rows in the order shown.
TEST(WindowSave, SortedListIsSavedInItsDisplayedOrder) {
    ScriptedMessageBoxes boxes;
    TempTree tree{TreePlace::Disk};
    tree.File("in/b.txt", 2048);
    tree.File("in/a.txt", 1024);
    tree.File("in/c.txt", 3072);
    TForm1 window{boxes};
    ASSERT_TRUE(window.stLookIn->SelectPath(tree.Path("in")));
    window.ckbShowSize->setChecked(true);
    window.cbLookfor->setEditText("*.txt");
    window.btnSearchClick();
    QElapsedTimer timer;
    timer.start();
    while (window.btnCancel->isEnabled() && timer.elapsed() < 10000)
        QApplication::processEvents();
    ASSERT_EQ(window.Results->rowCount(), 3);

    window.ListView1ColumnClick(0); // first user click on the name column: ascending
    const std::string out = tree.Path("list.txt");
    ASSERT_TRUE(window.WriteFile(out));
    EXPECT_EQ(ReadBytes(out), "Datei;Größe;Einheit\r\n" + tree.Path("in/a.txt") +
                                  ";1.024;Byte\r\n" + tree.Path("in/b.txt") + ";2.048;Byte\r\n" +
                                  tree.Path("in/c.txt") + ";3.072;Byte\r\n");
    EXPECT_EQ(window.StatusPanel1->text().toStdString(), "Datei " + out + " gespeichert.");

    window.ListView1ColumnClick(1); // size, first click: descending
    ASSERT_TRUE(window.WriteFile(out));
    const std::string header = "Datei;Größe;Einheit\r\n";
    EXPECT_EQ(ReadBytes(out).substr(header.size(), tree.Path("in/c.txt").size()),
              tree.Path("in/c.txt"));
    EXPECT_TRUE(boxes.shown.empty());
}
