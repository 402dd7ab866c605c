#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <sys/stat.h>

#include "app/ini_file.h"
#include "app/settings_store.h"
#include "app/window_settings.h"
#include "platform/settings_location.h"
#include "support/locked_path.h"
#include "support/temp_tree.h"

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

unsigned Mode(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// A window with something in every value the file keeps.
WindowSettings Changed() {
    WindowSettings s;
    s.searchTarget = "/home/u/Daten";
    s.lookForText = " *.doc ";
    s.fileName = "  Daten.txt ";
    s.saveFolder = "/home/u/Listen";
    s.formWidth = 700;
    s.formHeight = 500;
    s.firstColumnWidth = 250;
    s.resultListWidth = 370;
    s.panel1 = {293, 417, 372};
    s.panel3 = {1, 250, 288};
    s.options = {true, true, false, false, false, false, false, true, false, false, true};
    s.sizeUnit = 1;
    s.structureMode = 2;
    s.cdDrive = "/dev/sr1";
    s.lookForHistory = {" ", "*.doc", "*.txt"};
    return s;
}

const char* const kChangedFile = "[History]\n"
                                 "LastSavePath=/home/u/Listen\n"
                                 "LastDrive=/home/u/Daten\n"
                                 "LastFileName=Daten.txt\n"
                                 "LastTarget=\" *.doc \"\n"
                                 "LastFormWidth=700\n"
                                 "LastFormHeight=500\n"
                                 "LastCol0Width=250\n"
                                 "LastLVWidth=370\n"
                                 "Panel1Height=417\n"
                                 "Panel1Width=372\n"
                                 "Panel1Left=293\n"
                                 "Panel3Height=250\n"
                                 "Panel3Width=288\n"
                                 "Panel3Left=1\n"
                                 "ShowSize=1\n"
                                 "ShowDate=1\n"
                                 "ShowLastAccessTime=0\n"
                                 "ShowCreationTime=0\n"
                                 "ShowAttributes=0\n"
                                 "ShowShortFileName=0\n"
                                 "ShowOnlyFolders=0\n"
                                 "ExcludeSubFolders=1\n"
                                 "ShowType=0\n"
                                 "Numfiles=0\n"
                                 "NumFolders=1\n"
                                 "[Settings]\n"
                                 "CD_DVD=/dev/sr1\n"
                                 "SizeUnit=1\n"
                                 "StructSearch=2\n"
                                 "[CB-History]\n"
                                 "1=*.doc\n"
                                 "2=*.txt\n";

WindowSettings Read(const std::string& text, const WindowSettings& current = {}) {
    return ReadWindowSettings(IniFile::Parse(text), current);
}

TEST(WindowSettingsFile, WrittenInOrderAndReadBack) {
    IniFile ini;
    WriteWindowSettings(ini, Changed());
    EXPECT_EQ(ini.Serialized(), kChangedFile);

    WindowSettings expected = Changed();
    expected.fileName = "Daten.txt";
    expected.firstColumnWidth = WindowSettings{}.firstColumnWidth; // never read
    expected.lookForHistory = {"*.doc", "*.txt"};                  // 2 keys, keys 0 to 2 looked up
    EXPECT_EQ(Read(kChangedFile), expected);
}

TEST(WindowSettingsFile, MissingKeysGiveTheirDefaults) {
    WindowSettings current;
    current.formWidth = 800;
    current.options[kShowType] = true;
    current.sizeUnit = 1;
    // Only [Settings] with SizeUnit=2: the unit is read, everything else is a default.
    WindowSettings expected = current;
    expected.sizeUnit = 2;
    expected.panel3.height = 288;
    EXPECT_EQ(Read("[Settings]\nSizeUnit=2\n", current), expected);
    EXPECT_EQ(expected.searchTarget, "/");
    EXPECT_TRUE(expected.lookForHistory.empty());
}

TEST(WindowSettingsFile, UnusableValuesKeepTheCurrentState) {
    WindowSettings current;
    current.sizeUnit = 1;
    current.structureMode = 1;
    current.options[kShowSize] = true;
    const std::string files[] = {
        "[Settings]\nSizeUnit=3\nStructSearch=-1\n",
        "[Settings]\nSizeUnit=0x\nStructSearch=eins\n[History]\nShowSize=ja\n",
        "[Settings\nSizeUnit=2\n",
        "Settings]\nSizeUnit=2\n",
        "\0[Settings]\0\nSizeUnit=2\0\n"s,
        "[History]\nLastFormWidth=" + std::string(1'000'000, '9') + "\n",
    };
    for (const std::string& file : files)
        EXPECT_EQ(Read(file, current), Read("", current)) << file.substr(0, 40);
    EXPECT_EQ(Read("", current).sizeUnit, 1);
}

TEST(WindowSettingsFile, SaveFolderLosesOneTrailingSeparatorExceptTheRoot) {
    const std::pair<std::string, std::string> cases[] = {
        {"/home/u/Listen/", "/home/u/Listen"},
        {"/home/u/Listen", "/home/u/Listen"},
        {"/", "/"},
        {"", ""},
        {"\\\\server\\share", "\\\\server\\share"}};
    for (const auto& [stored, restored] : cases)
        EXPECT_EQ(Read("[History]\nLastSavePath=" + stored).saveFolder, restored) << stored;
}

TEST(WindowSettingsFile, HistoryLooksUpOneKeyMoreThanTheSectionHolds) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"1=*.a\n2=*.b\n", {"*.a", "*.b"}},
        {"0=*.a\n5=*.f\n", {"*.a"}},
        {"0=*.a\n0=*.z\n2=*.c\n", {"*.a", "*.c"}}, // a key named twice counts once
        {"0=\n1=*.b\n", {"*.b"}},
        {"x=1\ny=2\n1=*.b\n", {"*.b"}},
        {"", {}}};
    for (const auto& [section, history] : cases)
        EXPECT_EQ(ReadLookForHistory(IniFile::Parse("[CB-History]\n" + section)), history)
            << section;
}

TEST(WindowSettingsFile, RewritingKeepsOtherKeysAndRebuildsTheHistory) {
    IniFile ini = IniFile::Parse("[History]\nMine=1\nShowSize=1\n[CB-History]\n0=old\n7=older\n"
                                 "[Extra]\nk=v\n");
    WindowSettings s;
    s.lookForHistory = {"*.new"};
    WriteWindowSettings(ini, s);
    const IniFile back = IniFile::Parse(ini.Serialized());
    EXPECT_EQ(back.Value("History", "Mine"), "1");
    EXPECT_EQ(back.Value("History", "ShowSize"), "0");
    EXPECT_EQ(back.Value("Extra", "k"), "v");
    EXPECT_EQ(back.KeyCount("CB-History"), 1u);
    EXPECT_EQ(back.Value("CB-History", "0"), "*.new");
}

SettingsPlace FakePlace(const std::string& type, std::int64_t freeBytes, bool besideProgram,
                        bool folderTakesFiles, std::string* asked) {
    return {"/data/app/Pathquill.ini",
            [=](const std::string& folder) {
                *asked = folder;
                return type;
            },
            [=](const std::string&) { return freeBytes; }, besideProgram,
            [=](const std::string&) { return folderTakesFiles; }};
}

// Beside the program the file never goes onto the CD-ROM, share or RAM disk the program runs
// from; the user's own file is kept on whatever holds the home folder.
TEST(SettingsPlace, WrittenWithOneMebibyteFreeBesideTheProgramOnlyOnAFloppyOrHardDisk) {
    const std::tuple<std::string, std::int64_t, bool, bool, bool> cases[] = {
        // type, free bytes, beside the program, its folder takes new files, written
        {"Harddisk", 1048576, true, true, true},        {"Harddisk", 1048575, true, true, false},
        {"Floppy", 5 << 20, true, true, true},          {"CD-ROM", 5 << 20, true, true, false},
        {"Network", 5 << 20, true, true, false},        {"RAM disk", 5 << 20, true, true, false},
        {"Does not exist", 5 << 20, true, true, false}, {"Harddisk", -1, true, true, false},
        {"Network", 5 << 20, false, true, true},        {"RAM disk", 1048576, false, true, true},
        {"Harddisk", 1048575, false, true, false},      {"Harddisk", 5 << 20, false, false, false},
        {"Harddisk", -1, false, true, false},
    };
    for (const auto& [type, freeBytes, beside, takesFiles, written] : cases) {
        std::string asked;
        EXPECT_EQ(MayWriteSettings(FakePlace(type, freeBytes, beside, takesFiles, &asked)), written)
            << type << " " << freeBytes << (beside ? " beside" : " own");
        if (beside) {
            EXPECT_EQ(asked, "/data/app/");
        }
    }
    EXPECT_FALSE(MayWriteSettings(SettingsPlace{}));
}

TEST(SettingsFileOnDisk, LoadsWhatIsThereAndNeverWaits) {
    TempTree tree;
    EXPECT_FALSE(LoadSettingsFile(tree.Path("none.ini")));
    Put(tree.Path("a.ini"), "[Settings]\nSizeUnit=2\n");
    EXPECT_EQ(LoadSettingsFile(tree.Path("a.ini"))->ReadInteger("Settings", "SizeUnit", 0), 2);
    ASSERT_EQ(::mkfifo(tree.Path("fifo.ini").c_str(), 0644), 0);
    tree.Folder("folder.ini");
    Put(tree.Path("big.ini"), "[Settings]\nSizeUnit=2\n" + std::string(kMaxSettingsFileSize, ';'));
    for (const char* name : {"fifo.ini", "folder.ini", "big.ini"}) {
        const auto ini = LoadSettingsFile(tree.Path(name));
        ASSERT_TRUE(ini) << name; // it exists, so its keys take their defaults
        EXPECT_EQ(ini->KeyCount("Settings"), 0u) << name;
    }
}

TEST(SettingsFileOnDisk, StoreKeepsTheFileAndClearsReadOnly) {
    TempTree tree;
    const std::string file = tree.Path("Pathquill.ini");
    Put(file, "; mine\n[History]\nShowSize=1\nOwn=x\n");
    ::chmod(file.c_str(), 0440);
    ASSERT_TRUE(StoreSettingsFile(file, WindowSettings{}));
    EXPECT_EQ(Mode(file), 0640u); // only the owner write bit added
    const std::string text = Contents(file);
    EXPECT_EQ(text.rfind("; mine\n[History]\nShowSize=0\nOwn=x\nLastSavePath=\n", 0), 0u) << text;

    // A folder that does not exist yet is made, for the owner only.
    const std::string config = tree.Path("config/pathquill/Pathquill.ini");
    ASSERT_TRUE(StoreSettingsFile(config, Changed()));
    EXPECT_EQ(Mode(tree.Path("config/pathquill")), 0700u);
    EXPECT_EQ(Contents(config), kChangedFile);
}

TEST(SettingsFileOnDisk, AFileThatCannotBeReadIsLeftAlone) {
    TempTree tree;
    const std::string big = tree.Path("big.ini");
    const std::string bytes(kMaxSettingsFileSize + 1, 'x');
    Put(big, bytes);
    EXPECT_FALSE(StoreSettingsFile(big, Changed()));
    EXPECT_EQ(Contents(big), bytes);
    ASSERT_EQ(::mkfifo(tree.Path("fifo.ini").c_str(), 0644), 0);
    EXPECT_FALSE(StoreSettingsFile(tree.Path("fifo.ini"), Changed()));
}

// The user's own config folder; beside the program only a portable file of the user's own.
TEST(SettingsLocation, ConfigFolderOrTheUsersOwnFileBesideTheProgram) {
    TempTree tree;
    const unsigned me = ::geteuid();
    const std::string bin = tree.Folder("bin") + "/";
    const std::string own = tree.Folder("portable") + "/";
    Put(own + "Pathquill.ini", "");
    const std::string readOnly = tree.Folder("read-only") + "/";
    Put(readOnly + "Pathquill.ini", "");
    ::chmod((readOnly + "Pathquill.ini").c_str(), 0444);
    tree.Folder("folder/Pathquill.ini");
    const std::string cfg = "/cfg/pathquill/Pathquill.ini";
    const struct Case {
        SettingsEnvironment env;
        SettingsLocation expected;
    } cases[] = {
        // A writable program folder (~/.local/bin) gets no file of its own.
        {{bin, "/cfg", "/home/u", me}, {cfg, false}},
        {{tree.Path("gone/"), "/cfg", "/home/u", me}, {cfg, false}},
        {{own, "/cfg", "/home/u", me}, {own + "Pathquill.ini", true}},
        {{readOnly, "/cfg", "/home/u", me}, {readOnly + "Pathquill.ini", true}},
        // Someone else's file is never read, not even when the folder is open to all.
        {{own, "/cfg", "/home/u", me + 1}, {cfg, false}},
        {{tree.Path("folder/"), "/cfg", "/home/u", me}, {cfg, false}},
        {{bin, "", "/home/u", me}, {"/home/u/.config/pathquill/Pathquill.ini", false}},
        {{bin, "relative", "/home/u", me}, {"/home/u/.config/pathquill/Pathquill.ini", false}},
        {{bin, "", "", me}, {}},
        {{own, "", "", me}, {own + "Pathquill.ini", true}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SettingsFileLocation(c.env), c.expected)
            << c.env.programFolder << " user " << c.env.user;
}

TEST(SettingsLocation, TheFoldersOnTheWayMustTakeNewFiles) {
    TempTree tree;
    tree.Folder("home/.config");
    tree.File("file");
    EXPECT_TRUE(MayCreateFolderOf(tree.Path("home/.config/pathquill/Pathquill.ini")));
    EXPECT_TRUE(MayCreateFolderOf(tree.Path("home/a/b/c/Pathquill.ini")));
    EXPECT_FALSE(MayCreateFolderOf(tree.Path("file/pathquill/Pathquill.ini")));
    LockedPath locked(tree.Path("home"));
    if (locked.Works()) {
        EXPECT_FALSE(MayCreateFolderOf(tree.Path("home/new/Pathquill.ini")));
        EXPECT_TRUE(MayCreateFolderOf(tree.Path("home/.config/pathquill/Pathquill.ini")));
    }
}

} // namespace
