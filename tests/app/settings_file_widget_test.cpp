#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QToolButton>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/stat.h>

#include "app/design_layout.h"
#include "app/ini_file.h"
#include "app/tform1.h"
#include "platform/program_file.h"
#include "platform/settings_location.h"
#include "platform/volumes.h"
#include "results/result_list_view.h"
#include "support/child_process.h"
#include "support/scripted_message_boxes.h"
#include "support/temp_tree.h"
#include "system/cd_drive_box.h"
#include "trees/look_in_tree.h"
#include "trees/save_in_tree.h"

namespace {
using namespace std::string_literals;

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Text(const QLabel* l) {
    return l->text().toStdString();
}

// A file beside the program on a drive of the given type with plenty of room.
SettingsPlace PlaceOn(const std::string& file, const std::string& type = "Harddisk") {
    return {file, [type](const std::string&) { return type; },
            [](const std::string&) { return std::int64_t{1} << 30; }, true,
            [](const std::string&) { return true; }};
}

void Settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void WaitForEnd(TForm1& w) {
    QElapsedTimer timer;
    timer.start();
    while (w.btnCancel->isEnabled() && timer.elapsed() < 20000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void Search(TForm1& w, const std::string& mask) {
    w.cbLookfor->setEditText(QString::fromStdString(mask));
    w.btnSearchClick();
    WaitForEnd(w);
}

QStringList History(const TForm1& w) {
    QStringList items;
    for (int i = 0; i < w.cbLookfor->count(); ++i)
        items << w.cbLookfor->itemText(i);
    return items;
}

// The stored key of every option box, named here once more so a mix-up in the window shows.
std::vector<std::pair<std::string, QCheckBox*>> StoredBoxes(const TForm1& w) {
    return {{"ShowSize", w.ckbShowSize},
            {"ShowDate", w.ckbShowDateTime},
            {"ShowLastAccessTime", w.ckbLAccessTime},
            {"ShowCreationTime", w.ckbCrTime},
            {"ShowAttributes", w.ckbShowAttributes},
            {"ShowShortFileName", w.ckbShowShortFileName},
            {"ShowOnlyFolders", w.ckbOnlyFolders},
            {"ExcludeSubFolders", w.ckbIncludeSubfolders},
            {"ShowType", w.ckbShowType},
            {"Numfiles", w.ckbNumFiles},
            {"NumFolders", w.ckbNumFolders}};
}

struct WindowRun {
    std::vector<bool> boxes;
    int unit;
    QSize size;
    int pageArea;
    std::string fileName, lookFor;
};

void Change(TForm1& w, const WindowRun& run) {
    const auto boxes = StoredBoxes(w);
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i].second->setChecked(run.boxes[i]);
    w.RadioGroup1Items[run.unit]->setChecked(true);
    w.resize(run.size);
    Settle();
    const int total = w.Splitter2->sizes().value(0) + w.Splitter2->sizes().value(1);
    w.Splitter2->setSizes({run.pageArea, total - run.pageArea});
    w.edSaveAs->setText(QString::fromStdString(run.fileName));
    w.cbLookfor->setEditText(QString::fromStdString(run.lookFor));
}

void ExpectRestored(const TForm1& w, const WindowRun& run, const IniFile& written) {
    const auto boxes = StoredBoxes(w);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].second->isChecked(), run.boxes[i]) << boxes[i].first;
        EXPECT_EQ(written.ReadBool("History", boxes[i].first, !run.boxes[i]), run.boxes[i])
            << boxes[i].first;
    }
    EXPECT_EQ(w.RadioGroup1Buttons->checkedId(), run.unit);
    EXPECT_EQ(w.size(),
              run.size.expandedTo(w.minimumSizeHint())); // never below what the font needs
    EXPECT_EQ(w.Splitter2->sizes().value(0), run.pageArea);
    EXPECT_EQ(w.edSaveAs->text().toStdString(), run.fileName);
    EXPECT_EQ(w.cbLookfor->currentText().toStdString(), run.lookFor);
}

TEST(SettingsWindow, EverythingComesBackAfterARestart) {
    ScriptedMessageBoxes boxes;
    TempTree tree;
    tree.File("data/a.txt");
    tree.File("data/b.doc");
    const std::string data = tree.Path("data");
    const std::string listen = tree.Folder("Listen");
    const std::string file = tree.Path("Pathquill.ini");
    const WindowRun first{{true, false, true, true, false, true, false, true, true, false, true},
                          2,
                          {720, 540},
                          240,
                          "Liste.csv",
                          " *.d* "};
    WindowRun second = first;
    for (std::size_t i = 0; i < second.boxes.size(); ++i)
        second.boxes[i] = !first.boxes[i];
    second = {second.boxes, 1, {690, 500}, 200, "Andere.txt", "*.txt"};

    std::string cdDrive;
    {
        TForm1 w{boxes, PlaceOn(file)};
        w.show();
        Settle();
        w.stLookIn->SelectPath(data);
        Search(w, "*.txt");
        Search(w, "*.doc");
        w.SaveFolder = listen;
        w.sjtSaveIn->SetSelectedFolder(listen);
        Change(w, first);
        cdDrive = CDDrive(*w.DriveComboBox1);
        w.close();
    }
    {
        TForm1 w{boxes, PlaceOn(file)};
        w.show();
        Settle();
        const IniFile written = IniFile::Parse(Contents(file));
        ExpectRestored(w, first, written);
        EXPECT_EQ(w.SearchTarget, data);
        EXPECT_EQ(w.stLookIn->SelectedPath(), data);
        EXPECT_EQ(History(w), (QStringList{"*.doc", "*.txt"}));
        EXPECT_EQ(w.SaveFolder, listen);
        EXPECT_EQ(w.sjtSaveIn->SelectedFolder(), listen);
        EXPECT_EQ(Text(w.StatusPanel1), "Speichern in: " + listen);
        EXPECT_EQ(w.ckbShowSize->text().toStdString(), "Größe (MB)");
        EXPECT_EQ(written.Value("Settings", "CD_DVD"), cdDrive);
        Change(w, second);
        w.close();
    }
    TForm1 w{boxes, PlaceOn(file)};
    w.show();
    Settle();
    ExpectRestored(w, second, IniFile::Parse(Contents(file)));
    EXPECT_TRUE(boxes.shown.empty());
}

// Opens a window on a settings file holding the given text.
struct Restart {
    explicit Restart(const std::string& text, const std::string& folder = {}) {
        Put(file, text);
        window = std::make_unique<TForm1>(boxes, PlaceOn(file), folder);
    }
    TempTree tree;
    std::string file = tree.Path("Pathquill.ini");
    ScriptedMessageBoxes boxes;
    std::unique_ptr<TForm1> window;
};

TEST(SettingsWindow, OnlySettingsWithMegabytes) {
    Restart r("[Settings]\nSizeUnit=2\n");
    const TForm1& w = *r.window;
    EXPECT_EQ(w.RadioGroup1Buttons->checkedId(), 2);
    EXPECT_EQ(w.ckbShowSize->text().toStdString(), "Größe (MB)");
    for (const auto& [key, box] : StoredBoxes(w))
        EXPECT_FALSE(box->isChecked()) << key;
    EXPECT_EQ(w.SearchTarget, "/");
    EXPECT_EQ(w.stLookIn->SelectedPath(), "/");
    EXPECT_EQ(w.cbLookfor->count(), 0);
    EXPECT_TRUE(w.cbLookfor->currentText().isEmpty());
}

TEST(SettingsWindow, SearchTargetSelectsTheComputerOrTheFolder) {
    TempTree tree;
    for (const std::string target : {"AllDrives", "C:\\Daten"}) {
        Restart r("[History]\nLastDrive=" + target + "\n");
        EXPECT_EQ(r.window->SearchTarget, target);
        EXPECT_EQ(r.window->stLookIn->SelectedText(), "Arbeitsplatz") << target;
        EXPECT_EQ(r.window->stLookIn->SelectedPath(), "") << target;
    }
    Restart all("[History]\nLastDrive=AllDrives\n");
    EXPECT_EQ(Text(all.window->StatusPanel0), "Suchen in: Alle Laufwerke");
    Restart folder("[History]\nLastDrive=" + tree.Root() + "/\n");
    EXPECT_EQ(folder.window->SearchTarget, tree.Root() + "/");
    EXPECT_EQ(folder.window->stLookIn->SelectedPath(), tree.Root());
    // A folder that is gone leaves the tree as it was; the target keeps the text.
    ScriptedMessageBoxes boxes;
    const TForm1 plain{boxes};
    Restart gone("[History]\nLastDrive=" + tree.Path("gone") + "\n");
    EXPECT_EQ(gone.window->SearchTarget, tree.Path("gone"));
    EXPECT_EQ(gone.window->stLookIn->SelectedPath(), plain.stLookIn->SelectedPath());
    EXPECT_TRUE(gone.boxes.shown.empty());
}

TEST(SettingsWindow, SaveFolderRules) {
    TempTree tree;
    const std::string listen = tree.Folder("Listen");
    struct Case {
        std::string stored, saveFolder, selected, panel1;
    };
    const Case cases[] = {
        {listen + "/", listen, listen, "Speichern in: " + listen},
        {"/", "/", "/", "Speichern in: /"},
        {"\\\\server\\share", "", "", "Speichern in:"},
        {"Listen", "", "", "Speichern in:"},
    };
    for (const Case& c : cases) {
        Restart r("[History]\nLastSavePath=" + c.stored + "\n");
        EXPECT_EQ(r.window->SaveFolder, c.saveFolder) << c.stored;
        EXPECT_EQ(r.window->sjtSaveIn->SelectedFolder(), c.selected) << c.stored;
        EXPECT_EQ(Text(r.window->StatusPanel1), c.panel1) << c.stored;
        EXPECT_TRUE(r.boxes.shown.empty()) << c.stored;
    }
    Restart gone("[History]\nLastSavePath=" + tree.Path("gone") + "\n");
    EXPECT_EQ(gone.window->SaveFolder, tree.Path("gone"));
    EXPECT_EQ(gone.boxes.shown, (std::vector<ScriptedMessageBoxes::Shown>{
                                    {"Error", "Kann Pfad nicht finden: " + tree.Path("gone")}}));
}

TEST(SettingsWindow, StoredOptionsAndStructureModeRunTheirHandlers) {
    Restart sub("[History]\nExcludeSubFolders=1\nShowOnlyFolders=1\nShowSize=1\n");
    EXPECT_TRUE(sub.window->ckbIncludeSubfolders->isChecked());
    EXPECT_FALSE(sub.window->ckbShowSize->isEnabled()); // the only-folders handler ran

    Restart mode("[Settings]\nStructSearch=2\n");
    EXPECT_EQ(mode.window->cbStructureSearch->currentIndex(), 2);
    EXPECT_TRUE(mode.window->ckbNumFiles->isVisibleTo(mode.window->GroupBox1));
    EXPECT_FALSE(mode.window->ckbShowType->isVisibleTo(mode.window->GroupBox1));
}

TEST(SettingsWindow, FolderArgumentAfterTheSettings) {
    TempTree data;
    data.File("x.txt");
    Restart r("[History]\nLastFileName=Liste.txt\nLastFormWidth=700\nShowCreationTime=1\n"
              "[Settings]\nStructSearch=1\nSizeUnit=2\n[CB-History]\n0=*.doc\n",
              data.Root());
    TForm1& w = *r.window;
    EXPECT_EQ(w.cbStructureSearch->currentIndex(), 0);
    EXPECT_TRUE(w.ckbNumFiles->isVisibleTo(w.GroupBox1)); // as the restored mode left it
    EXPECT_EQ(w.RadioGroup1Buttons->checkedId(), 1);
    EXPECT_FALSE(w.ckbCrTime->isChecked());
    EXPECT_EQ(w.cbLookfor->currentText(), "*.*");
    EXPECT_EQ(w.edSaveAs->text(), "Liste.txt");
    EXPECT_EQ(w.width(), std::max(700, w.minimumSizeHint().width()));
    EXPECT_EQ(History(w), (QStringList{"*.*", "*.doc"})); // the search added its mask on top
    WaitForEnd(w);
}

TEST(SettingsWindow, HistoryWithoutItsBlankAndWithGaps) {
    TempTree data;
    data.File("x.txt");
    Restart first("");
    first.window->stLookIn->SelectPath(data.Root());
    Search(*first.window, "*.a");
    Search(*first.window, "*.b");
    first.window->cbLookfor->showPopup(); // puts the single blank on top
    first.window->cbLookfor->hidePopup();
    ASSERT_EQ(History(*first.window), (QStringList{" ", "*.b", "*.a"}));
    first.window->close();
    const std::string text = Contents(first.file);
    EXPECT_TRUE(text.ends_with("[CB-History]\n1=*.b\n2=*.a\n")) << text;

    Restart again(text);
    EXPECT_EQ(History(*again.window), (QStringList{"*.b", "*.a"}));
    Restart gap("[History]\nLastTarget=*.z\n[CB-History]\n0=*.a\n5=*.f\n");
    EXPECT_EQ(History(*gap.window), QStringList{"*.a"});
    EXPECT_EQ(gap.window->cbLookfor->currentText(), "*.z");
    EXPECT_EQ(gap.window->cbLookfor->currentIndex(), -1);
}

TEST(SettingsWindow, ReadOnlyFileIsMadeWritableAndHandEditsAreReplaced) {
    Restart r("[History]\nShowSize=0\nOwn=mine\n[Hand]\nk=v\n");
    Put(r.file, "[History]\nShowSize=1\nOwn=mine\nLastCol0Width=777\n[Hand]\nk=v\n"); // edited
    ::chmod(r.file.c_str(), 0444);
    r.window->close();
    struct stat st {};
    ASSERT_EQ(::stat(r.file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
    const IniFile written = IniFile::Parse(Contents(r.file));
    EXPECT_EQ(written.Value("History", "ShowSize"), "0");
    EXPECT_EQ(written.Value("History", "Own"), "mine");
    EXPECT_EQ(written.Value("Hand", "k"), "v");
    // The first column's width at close is written, and a stored one changes nothing.
    const std::string col0 = std::to_string(r.window->ListView1->columnWidth(0));
    EXPECT_EQ(written.Value("History", "LastCol0Width"), col0);
    Restart wide("[History]\nLastCol0Width=777\n");
    EXPECT_EQ(std::to_string(wide.window->ListView1->columnWidth(0)), col0);
}

TEST(SettingsWindow, WrittenOnlyOnAFloppyOrHardDisk) {
    ScriptedMessageBoxes boxes;
    TempTree tree;
    const std::string file = tree.Path("Pathquill.ini");
    const std::pair<const char*, bool> cases[] = {{"CD-ROM", false},   {"Network", false},
                                                  {"RAM disk", false}, {"Does not exist", false},
                                                  {"Floppy", true},    {"Harddisk", true}};
    for (const auto& [type, written] : cases) {
        {
            TForm1 fresh{boxes, PlaceOn(file, type)};
            fresh.close();
        }
        EXPECT_EQ(std::ifstream(file).good(), written) << type;
        Put(file, "[Settings]\nSizeUnit=2\n");
        {
            TForm1 old{boxes, PlaceOn(file, type)};
            old.RadioGroup1Items[0]->setChecked(true);
            old.close();
        }
        const auto unit = IniFile::Parse(Contents(file)).Value("Settings", "SizeUnit");
        EXPECT_EQ(unit, written ? "0" : "2") << type;
        ::unlink(file.c_str());
    }
}

TEST(SettingsWindow, MalformedFilesStartWithTheDefaults) {
    std::string binary(65536, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 2654435761u) >> 13);
    const std::string files[] = {
        "[History\nShowSize=1\n[Settings]]\nSizeUnit=1x\n",
        "History]\nShowSize=1\nSettings]\nSizeUnit=2\n",
        "[Settings]\nSizeUnit=0x\nStructSearch=zwei\n[Settings]\nSizeUnit=9\nSizeUnit=1\n",
        "[History]\nLastFormWidth=" + std::string(1 << 20, '7') + "\n",
        "[Hist\0ory]\nShowSize=1\n[Settings]\nSizeUnit=\0002\n"s,
        binary,
    };
    for (const std::string& text : files) {
        Restart r(text);
        const TForm1& w = *r.window;
        EXPECT_EQ(w.RadioGroup1Buttons->checkedId(), 0);
        EXPECT_EQ(w.cbStructureSearch->currentIndex(), 0);
        for (const auto& [key, box] : StoredBoxes(w))
            EXPECT_FALSE(box->isChecked()) << key;
        // The design size, grown with the font.
        EXPECT_EQ(w.size(),
                  DesignScale::Of(w.font()).Size(673, 482).expandedTo(w.minimumSizeHint()));
        EXPECT_TRUE(r.boxes.shown.empty());
    }
    Restart fifo("");
    ::unlink(fifo.file.c_str());
    ASSERT_EQ(::mkfifo(fifo.file.c_str(), 0644), 0);
    TForm1 w{fifo.boxes, PlaceOn(fifo.file)}; // must not wait for a writer
    EXPECT_EQ(w.SearchTarget, "/");
}

TEST(SettingsWindow, WindowSizeStaysOnTheScreen) {
    Restart big("[History]\nLastFormWidth=100000\nLastFormHeight=100000\n");
    const QSize screen = big.window->screen()->availableGeometry().size();
    EXPECT_LE(big.window->width(), screen.width());
    EXPECT_LE(big.window->height(), screen.height());
    Restart tiny("[History]\nLastFormWidth=-5\nLastFormHeight=0\n");
    EXPECT_GE(tiny.window->width(), tiny.window->minimumSizeHint().width());
    EXPECT_GE(tiny.window->height(), tiny.window->minimumSizeHint().height());
}

TEST(SettingsWindow, LongFileNameComesBackWhole) {
    const std::string name = std::string(120, 'n') + ".csv";
    {
        ScriptedMessageBoxes boxes;
        TForm1 plain{boxes};
        plain.edSaveAs->setText(QString::fromStdString(name));
        if (plain.edSaveAs->text().size() <= 80)
            GTEST_SKIP() << "the file-name box still cuts text set by the program at 80";
    }
    Restart r("[History]\nLastFileName=" + name + "\n");
    EXPECT_EQ(r.window->edSaveAs->text().toStdString(), name);
}

// Values that are not valid UTF-8 (an older file in Latin-1) keep their bytes while their
// boxes are left as they came; what the user changes is written as the user typed it.
TEST(SettingsWindow, TextsThatAreNoUtf8KeepTheirBytes) {
    const std::string latin = "Gr\xf6\xdf"
                              "e"; // "Größe" in Latin-1
    const std::string stored = "[History]\nLastFileName=" + latin + ".txt\nLastTarget=*" + latin +
                               "*\n[CB-History]\n0=*" + latin + "*\n1=*.txt\n";
    struct Case {
        std::function<void(TForm1&)> change;
        std::string fileName, lookFor, first;
    } const cases[] = {
        {[](TForm1&) {}, latin + ".txt", "*" + latin + "*", "*" + latin + "*"},
        {[](TForm1& w) { w.cbLookfor->setCurrentIndex(1); }, latin + ".txt", "*.txt",
         "*" + latin + "*"},
        {[](TForm1& w) { w.cbLookfor->setCurrentIndex(0); }, latin + ".txt", "*" + latin + "*",
         "*" + latin + "*"},
        {[](TForm1& w) {
             w.edSaveAs->setText(QStringLiteral("Größe.txt"));
             w.cbLookfor->setEditText(QStringLiteral("*.doc"));
         },
         "Größe.txt", "*.doc", "*" + latin + "*"},
    };
    for (const Case& c : cases) {
        Restart r(stored);
        c.change(*r.window);
        r.window->close();
        const IniFile written = IniFile::Parse(Contents(r.file));
        EXPECT_EQ(written.Value("History", "LastFileName"), c.fileName);
        EXPECT_EQ(written.Value("History", "LastTarget"), c.lookFor);
        EXPECT_EQ(written.Value("CB-History", "0"), c.first);
        EXPECT_EQ(written.Value("CB-History", "1"), "*.txt");
    }
}

TEST(SettingsWindow, CDDriveThatIsNoOpticalDriveKeepsTheCurrentDrive) {
    if (!volumes::OpticalDrives().empty())
        GTEST_SKIP() << "this machine has an optical drive";
    ScriptedMessageBoxes boxes;
    const TForm1 plain{boxes};
    const std::string current = CDDrive(*plain.DriveComboBox1);
    for (const char* stored : {"/dev/sr0", "/", "68"}) {
        Restart r("[Settings]\nCD_DVD="s + stored + "\n");
        EXPECT_EQ(CDDrive(*r.window->DriveComboBox1), current) << stored;
        EXPECT_TRUE(r.window->sbEject->icon().isNull()) << stored;
    }
}

} // namespace

// The program's folder is the user's to write, as /usr/bin is root's when a packaged program runs
// as root: closing the window keeps the settings in the user's config folder, never beside the
// program, and nowhere when the user has no home.
TEST(SettingsWindow, ClosingKeepsNothingBesideTheProgramTheUserMayWriteTo) {
    const std::string beside = ProgramFolder() + "Pathquill.ini";
    ASSERT_TRUE(IsWritableFolder(ProgramFolder()));
    TempTree tree;
    const struct Case {
        const char *home, *configHome, *expected;
    } cases[] = {
        {"home", "config", "config/pathquill/Pathquill.ini"},
        {"home", nullptr, "home/.config/pathquill/Pathquill.ini"},
        {nullptr, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        const std::string report = RunInChild([&]() -> std::string {
            if (FileExists(beside))
                return kChildSkipped; // a portable set-up of this user's own
            // Only this child's environment changes.
            for (const auto& [name, value] :
                 {std::pair{"HOME", c.home}, {"XDG_CONFIG_HOME", c.configHome}})
                value ? ::setenv(name, tree.Path(value).c_str(), 1) : ::unsetenv(name);
            ScriptedMessageBoxes boxes;
            {
                TForm1 w{boxes, SettingsPlace::At(TForm1::SettingsFile())};
                w.show();
                w.close();
            }
            if (FileExists(beside)) {
                ::unlink(beside.c_str()); // would make a portable set-up of every later run
                return "written beside the program";
            }
            if (c.expected && !FileExists(tree.Path(c.expected)))
                return std::string("not written to ") + c.expected;
            return "";
        });
        if (report == kChildSkipped)
            GTEST_SKIP() << beside << " is there already";
        EXPECT_EQ(report, "") << (c.home ? c.home : "no home");
    }
    const std::filesystem::path root = std::filesystem::path(tree.Path("home")).parent_path();
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            left.push_back(entry.path().lexically_relative(root).string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"config/pathquill/Pathquill.ini",
                                              "home/.config/pathquill/Pathquill.ini"}));
}
