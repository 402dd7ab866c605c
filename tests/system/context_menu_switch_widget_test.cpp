#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <sys/stat.h>

#include "app/tform1.h"
#include "results/result_model.h"
#include "support/scripted_message_boxes.h"
#include "support/xdg_sandbox.h"
#include "system/desktop_entry_text.h"

namespace {
namespace fs = std::filesystem;
using Shown = ScriptedMessageBoxes::Shown;

constexpr const char* kProgram = "/opt/Meine Programme/Pathquill 2/pathquill";

template <typename Done> bool WaitUntil(Done done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 30000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}
} // namespace

TEST(ContextMenuSwitch, StartUpRewritesAnEntryLeftByAMovedProgram) {
    XdgSandbox sandbox;
    const std::string entry = sandbox.Entry().EntryPath();
    sandbox.Write("data/applications/pathquill-folder.desktop",
                  FolderEntryText("/old/pathquill", true));
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes, sandbox.Setup(kProgram)};
    EXPECT_EQ(w.RadioGroup2Buttons->checkedId(), 0);
    EXPECT_EQ(XdgSandbox::Read(entry), FolderEntryText(kProgram, false));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(ContextMenuSwitch, StartUpWithoutEntryTouchesNothing) {
    XdgSandbox sandbox;
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes, sandbox.Setup(kProgram)};
    EXPECT_EQ(w.RadioGroup2Buttons->checkedId(), 1);
    EXPECT_FALSE(fs::exists(sandbox.tree.Path("data/applications")));
    EXPECT_TRUE(boxes.shown.empty());
    w.RadioGroup2Items[1]->click(); // the item already selected runs nothing
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(ContextMenuSwitch, OnOffOnAndDeletingWhatIsGone) {
    XdgSandbox sandbox;
    const std::string entry = sandbox.Entry().EntryPath();
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes, sandbox.Setup(kProgram)};
    w.RadioGroup2Items[0]->click();
    EXPECT_EQ(XdgSandbox::Read(entry), FolderEntryText(kProgram, false));
    w.RadioGroup2Items[1]->click();
    EXPECT_FALSE(fs::exists(entry));
    w.RadioGroup2Items[0]->click();
    EXPECT_TRUE(fs::exists(entry));
    EXPECT_TRUE(boxes.shown.empty());

    fs::remove(entry); // removed behind the program's back
    w.RadioGroup2Items[1]->click();
    EXPECT_EQ(boxes.shown, (std::vector<Shown>{{"Error", "Fehler beim Löschen in der Registry"}}));
    EXPECT_EQ(w.RadioGroup2Buttons->checkedId(), 1); // the switch is never moved back
}

TEST(ContextMenuSwitch, FolderThatCannotBeMadeGivesTheCreationErrorInTheStopBox) {
    XdgSandbox sandbox;
    sandbox.Write("data/applications", "not a folder");
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes, sandbox.Setup(kProgram)};
    w.RadioGroup2Items[0]->click();
    const std::string path = sandbox.tree.Path("data/applications/pathquill-folder.desktop");
    EXPECT_EQ(boxes.shown,
              (std::vector<Shown>{{"Stop", "Erzeugung von Schlüssel " + path + " misslungen"}}));
    EXPECT_EQ(w.RadioGroup2Buttons->checkedId(), 0);
}

TEST(ContextMenuSwitch, ProgramOnACdOrRamDiskNeverTouchesTheEntry) {
    XdgSandbox sandbox;
    ContextMenuSetup setup = sandbox.Setup(kProgram);
    setup.driveAllowsEntry = [](const std::string&) { return false; };
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes, setup};
    w.RadioGroup2Items[0]->click();
    w.RadioGroup2Items[1]->click();
    EXPECT_FALSE(fs::exists(sandbox.tree.Path("data/applications")));
    EXPECT_TRUE(boxes.shown.empty());
}

// The file manager's launcher expands %f of the written entry; the program then lists the
// folder it was given, blanks and all.
TEST(ContextMenuSwitch, EntryStartsTheProgramOnAFolderWithBlanks) {
    XdgSandbox sandbox;
    const DesktopTools tools = sandbox.Tools();
    if (!tools.Run("gio", {"--version"}))
        GTEST_SKIP() << "no desktop launcher (gio) installed";
    const std::string arguments = sandbox.tree.Path("arguments");
    const std::string program = sandbox.Write(
        "Mein Programm/pathquill", "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + arguments +
                                       ".new' && mv '" + arguments + ".new' '" + arguments + "'\n");
    ::chmod(program.c_str(), 0755);
    const std::string folder = sandbox.tree.Folder("Ordner mit Leerzeichen");
    sandbox.tree.File("Ordner mit Leerzeichen/eine Datei.txt", 10);
    ASSERT_EQ(sandbox.Entry().Write(program), EntryResult::Done);

    ASSERT_TRUE(tools.Run("gio", {"launch", sandbox.Entry().EntryPath(), folder}));
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(arguments); }));
    EXPECT_EQ(XdgSandbox::Read(arguments), "1\n" + folder + "\n");

    ScriptedMessageBoxes boxes;
    TForm1 w{boxes, sandbox.Setup(program), folder};
    ASSERT_TRUE(WaitUntil([&] { return !w.btnCancel->isEnabled(); }));
    EXPECT_EQ(w.StatusPanel1->text().toStdString(), "Fundstellen: 1");
    ASSERT_EQ(w.Results->rowCount(), 1);
    EXPECT_EQ(w.Results->Table().rows[0].Cell(0), folder + "/eine Datei.txt");
}
