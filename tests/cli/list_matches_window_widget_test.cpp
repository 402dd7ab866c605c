// pathquill-list and the window's save give the same bytes for the same search.
#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "app/tform1.h"
#include "results/result_model.h"
#include "support/scripted_message_boxes.h"
#include "support/temp_tree.h"
#include "tests/cli/cli_capture.h"
#include "trees/look_in_tree.h"

namespace {

// One search as both front ends are asked for it.
struct Case {
    std::string name;
    std::vector<std::string> cliArgs; // without folder and -o
    std::function<void(TForm1&)> setUpWindow;
    std::vector<int> headerClicks; // columns the user clicks after the search
    std::string extension;
};

void Check(std::initializer_list<QCheckBox*> boxes) {
    for (QCheckBox* b : boxes)
        b->setChecked(true);
}

void Structure(TForm1& w, int mode) {
    w.cbStructureSearch->setCurrentIndex(mode);
    Q_EMIT w.cbStructureSearch->activated(mode); // as the user's choice
}

class ListMatchesWindow : public ::testing::Test {
  protected:
    TempTree tree;
    TempTree scratch{TreePlace::Disk}; // the window saves here
    void SetUp() override {
        tree.File("notes.txt", 1234567);
        tree.File("zeta.TXT", 10);
        tree.File("alpha.dat", 2048);
        tree.File(".hidden.txt", 0);
        tree.File("docs/report.txt", 4096);
        tree.File("docs/old/archive.txt", 999);
        tree.File("docs/old/deep/last.bin", 77);
        tree.Folder("empty");
        tree.File("txt-folder/inner.txt", 5);
        tree.File("docs/my-TXT/x.bin", 3);
        tree.SetModified("notes.txt", 1072269912);
        tree.SetMode("zeta.TXT", 0444);
    }

    std::string WindowFile(const Case& c) {
        ScriptedMessageBoxes boxes;
        TForm1 window{boxes};
        EXPECT_TRUE(window.stLookIn->SelectPath(tree.Root()));
        window.cbLookfor->setEditText("*.*");
        c.setUpWindow(window);
        window.btnSearchClick();
        QElapsedTimer timer;
        timer.start();
        while ((window.SearchRunning() || window.btnCancel->isEnabled()) && timer.elapsed() < 20000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        for (const int column : c.headerClicks)
            window.ListView1ColumnClick(column);
        const std::string path = scratch.Path("window-" + c.name + c.extension);
        EXPECT_TRUE(window.WriteFile(path)) << c.name;
        EXPECT_TRUE(boxes.shown.empty()) << c.name;
        return ReadBytes(path);
    }

    std::string CliFile(const Case& c) {
        const std::string path = scratch.Path("cli-" + c.name + c.extension);
        std::vector<std::string> args = c.cliArgs;
        args.insert(args.end(), {"-o", path, tree.Root()});
        const CliRun run = RunCli(scratch, args);
        EXPECT_EQ(run.status, 0) << c.name << ": " << run.err;
        EXPECT_EQ(run.err, "") << c.name;
        return ReadBytes(path);
    }
};

} // namespace

TEST_F(ListMatchesWindow, EveryLayoutSortedAndUnsortedInBothFormats) {
    const std::vector<Case> cases = {
        {"plain",
         {"-s", "-c", "size,type,modified,created,attributes,shortname"},
         [](TForm1& w) {
             Check({w.ckbIncludeSubfolders, w.ckbShowSize, w.ckbShowType, w.ckbShowDateTime,
                    w.ckbCrTime, w.ckbShowAttributes, w.ckbShowShortFileName});
         },
         {},
         ".txt"},
        {"plain-kb-by-size",
         {"-s", "-u", "kb", "-c", "size,modified", "--sort", "size"},
         [](TForm1& w) {
             w.RadioGroup1Items[1]->setChecked(true);
             Check({w.ckbIncludeSubfolders, w.ckbShowSize, w.ckbShowDateTime});
         },
         {1},
         ".csv"},
        {"plain-mask-by-name-desc",
         {"-s", "-m", "txt", "-c", "attributes", "--sort", "name:desc"},
         [](TForm1& w) {
             w.cbLookfor->setEditText("txt");
             Check({w.ckbIncludeSubfolders, w.ckbShowAttributes});
         },
         {0, 0},
         ".txt"},
        {"plain-by-modified-asc",
         {"-s", "-c", "modified", "--sort", "modified:asc"},
         [](TForm1& w) {
             Check({w.ckbIncludeSubfolders, w.ckbShowDateTime});
         },
         {1, 1},
         ".CSV"},
        {"only-folders",
         {"-s", "--only-folders", "-m", "*.txt", "-u", "mb"},
         [](TForm1& w) {
             w.cbLookfor->setEditText("*.txt");
             w.RadioGroup1Items[2]->setChecked(true);
             Check({w.ckbIncludeSubfolders, w.ckbOnlyFolders});
         },
         {},
         ".txt"},
        {"only-folders-by-name",
         {"-s", "--only-folders", "-m", "*.txt", "--sort", "name"},
         [](TForm1& w) {
             w.cbLookfor->setEditText("*.txt");
             Check({w.ckbIncludeSubfolders, w.ckbOnlyFolders});
         },
         {0},
         ".csv"},
        {"explorer",
         {"--structure", "explorer", "-c", "size,created,files,subfolders,attributes,shortname"},
         [](TForm1& w) {
             Structure(w, 1);
             Check({w.ckbShowSize, w.ckbCrTime, w.ckbNumFolders, w.ckbNumFiles, w.ckbShowAttributes,
                    w.ckbShowShortFileName});
         },
         {},
         ".txt"},
        {"explorer-kb-sort-ignored",
         {"--structure", "explorer", "-u", "kb", "-c", "size", "--sort", "size"},
         [](TForm1& w) {
             Structure(w, 1);
             w.RadioGroup1Items[1]->setChecked(true);
             Check({w.ckbShowSize});
         },
         {1},
         ".csv"},
        {"single",
         {"--structure", "single", "-c", "size,files,subfolders,attributes"},
         [](TForm1& w) {
             Structure(w, 2);
             Check({w.ckbShowSize, w.ckbNumFolders, w.ckbNumFiles, w.ckbShowAttributes});
         },
         {},
         ".csv"},
        {"single-mb",
         {"--structure", "single", "-u", "mb", "-c", "size,created", "--sort", "name"},
         [](TForm1& w) {
             Structure(w, 2);
             w.RadioGroup1Items[2]->setChecked(true);
             Check({w.ckbShowSize, w.ckbCrTime});
         },
         {0},
         ".txt"},
    };
    for (const Case& c : cases) {
        const std::string window = WindowFile(c);
        const std::string cli = CliFile(c);
        EXPECT_GT(std::count(window.begin(), window.end(), '\n'), 2) << c.name;
        EXPECT_EQ(cli, window) << c.name;
    }
}
