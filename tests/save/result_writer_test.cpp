#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "results/column_sort_state.h"
#include "save/result_format.h"
#include "save/result_writer.h"
#include "search/search_request.h"
#include "support/local_clock.h"
#include "support/locked_path.h"
#include "support/scripted_message_boxes.h"
#include "support/table_builder.h"
#include "support/temp_tree.h"

namespace fs = std::filesystem;
using Box = ScriptedMessageBoxes::Shown;

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Worked out when a test runs, in the time zone the writer sees then.
std::time_t Christmas() {
    return LocalClock(2003, 12, 24, 13, 45);
}

ResultTable WorkedExample() {
    return MakeTable({"Datei", "Größe (KB)", "geändert"},
                     {{"C:\\Daten\\brief.doc", "   1.205,632 KB", "24.12.2003 13:45:12"},
                      {"C:\\Daten\\notiz.txt", "       0,117 KB", "01.02.2003 08:00:00"}});
}

WriterPlatform Harddisk() {
    WriterPlatform p;
    p.driveTypeName = [](const std::string&) { return std::string("Harddisk"); };
    p.hasFreeSpaceMB = [](const std::string&, std::int64_t) { return true; };
    return p;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename());
    return names;
}

} // namespace

TEST(ResultWriter, WorkedExampleAsPlainTextAndCsv) {
    TempTree t;
    ScriptedMessageBoxes boxes;
    const std::string txt = t.Path("brief.txt"), csv = t.Path("brief.csv");
    // Default platform settings: the German locale's date order and time separator.
    WriterPlatform platform = Harddisk();
    platform.shortDateOrder = WriterPlatform{}.shortDateOrder;
    platform.timeSeparator = WriterPlatform{}.timeSeparator;
    auto out = WriteResultFile(WorkedExample(), txt, true, Christmas(), boxes, platform);
    EXPECT_TRUE(out.saved);
    EXPECT_EQ(ReadAll(txt), "24.12.2003, 13:45\r\n"
                            "Datei;Größe;Einheit;geändert\r\n"
                            "C:\\Daten\\brief.doc;1.205,632;KB;24.12.2003 13:45:12\r\n"
                            "C:\\Daten\\notiz.txt;0,117;KB;01.02.2003 08:00:00\r\n");
    EXPECT_EQ(out.leftPanel, "");
    EXPECT_EQ(out.rightPanel, "Datei " + txt + " gespeichert.");

    out = WriteResultFile(WorkedExample(), csv, true, Christmas(), boxes, platform);
    EXPECT_TRUE(out.saved);
    EXPECT_EQ(ReadAll(csv),
              "24.12.2003, 13:45\r\n"
              "\"Datei\";\"Größe\";\"Einheit\";\"geändert\"\r\n"
              "\"C:\\Daten\\brief.doc\";\"1.205,632\";\"KB\";\"24.12.2003 13:45:12\"\r\n"
              "\"C:\\Daten\\notiz.txt\";\"0,117\";\"KB\";\"01.02.2003 08:00:00\"\r\n");
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(FolderEntries(t.Root()).size(), 2u); // no temporary file left behind
}

TEST(ResultWriter, DateLineFollowsTheShortDateOrder) {
    const LocalTime christmas = ToLocalTime(Christmas());
    EXPECT_EQ(DateLine(christmas, 0, ":"), "12.24.2003, 13:45");
    EXPECT_EQ(DateLine(christmas, 1, ":"), "24.12.2003, 13:45");
    EXPECT_EQ(DateLine(christmas, 2, ":"), "2003.12.24, 13:45");
    EXPECT_EQ(DateLine(ToLocalTime(LocalClock(2004, 3, 5, 7, 9)), 1, "."), "05.03.2004, 07.09");

    TempTree t;
    ScriptedMessageBoxes boxes;
    WriterPlatform ymd = Harddisk();
    ymd.shortDateOrder = 2;
    WriteResultFile(WorkedExample(), t.Path("a.csv"), true, Christmas(), boxes, ymd);
    EXPECT_EQ(ReadAll(t.Path("a.csv")).substr(0, 19), "2003.12.24, 13:45\r\n");
    WriteResultFile(WorkedExample(), t.Path("b.txt"), false, Christmas(), boxes, ymd);
    const std::string header = "Datei;Größe;Einheit;geändert\r\n";
    EXPECT_EQ(ReadAll(t.Path("b.txt")).substr(0, header.size()), header);
}

TEST(ResultWriterAnyLocale, LayoutByExtension) {
    for (const char* name : {"/x/a.csv", "/x/a.CSV", "/x/a.cSv", "a.csv", "/x/b.txt.csv"})
        EXPECT_EQ(LayoutOfFileName(name), ResultLayout::Csv) << name;
    for (const char* name :
         {"/x/a.txt", "/x/a", "/x/a.csv.txt", "/x/d.csv/a", "/x/a.csvx", "/x/csv"})
        EXPECT_EQ(LayoutOfFileName(name), ResultLayout::PlainText) << name;
}

TEST(ResultWriter, CellsAreWrittenAsDisplayedExceptSplitSizes) {
    struct Case {
        ResultTable table;
        ResultLayout layout;
        std::string expected;
    };
    const Case cases[] = {
        {MakeTable({"Datei"}, {{"/a/x"}, {"/a/y"}}), ResultLayout::PlainText,
         "Datei\r\n/a/x\r\n/a/y\r\n"},
        {MakeTable({"Datei"}, {{"/a/x"}}), ResultLayout::Csv, "\"Datei\"\r\n\"/a/x\"\r\n"},
        {MakeTable({"Ordner", "Größe (Byte)"}, {{"/a", "1.234.567 Byte"}}), ResultLayout::PlainText,
         "Ordner;Größe;Einheit\r\n/a;1.234.567;Byte\r\n"},
        // A size cell without its own unit word stays one field.
        {MakeTable({"Ordner", "Größe (KB)"}, {{"/a", "   1,000000 MB"}}), ResultLayout::PlainText,
         "Ordner;Größe;Einheit\r\n/a;   1,000000 MB\r\n"},
        {MakeTable({"Ordner", "Größe (MB)", "Attribute"}, {{"/a", "   0,000117 MB", "RH"}}),
         ResultLayout::Csv,
         "\"Ordner\";\"Größe\";\"Einheit\";\"Attribute\"\r\n\"/a\";\"0,000117\";\"MB\";\"RH\"\r\n"},
        // Semicolons stay as they are in plain text; quotes are doubled in CSV.
        {MakeTable({"Datei", "Typ"}, {{"/a;b", "x"}}), ResultLayout::PlainText,
         "Datei;Typ\r\n/a;b;x\r\n"},
        {MakeTable({"Datei", "Typ"}, {{"/a\"b", "x\";\"y"}}), ResultLayout::Csv,
         "\"Datei\";\"Typ\"\r\n\"/a\"\"b\";\"x\"\";\"\"y\"\r\n"},
    };
    for (const Case& c : cases) {
        std::string out;
        AppendHeaderLine(out, c.table.columns, c.layout);
        for (const ResultRow& row : c.table.rows)
            AppendRowLine(out, row, c.table.columns, c.layout);
        EXPECT_EQ(out, c.expected);
    }
}

TEST(ResultWriter, TheSortedOrderIsWhatGetsSaved) {
    TempTree t;
    ScriptedMessageBoxes boxes;
    ColumnSortState sort;
    ResultTable table = WorkedExample();
    ApplyHeaderClick(sort, table, 1, ModeNone, "KB"); // size, descending
    ApplyHeaderClick(sort, table, 1, ModeNone, "KB"); // size, ascending
    WriteResultFile(table, t.Path("l.txt"), false, Christmas(), boxes, Harddisk());
    EXPECT_EQ(ReadAll(t.Path("l.txt")),
              "Datei;Größe;Einheit;geändert\r\n"
              "C:\\Daten\\notiz.txt;0,117;KB;01.02.2003 08:00:00\r\n"
              "C:\\Daten\\brief.doc;1.205,632;KB;24.12.2003 13:45:12\r\n");
}

TEST(ResultWriter, RefusedDrivesAndLowSpaceChangeNoFile) {
    for (const char* type : {"CD-ROM", "RAM disk", "Does not exist"}) {
        TempTree t;
        WriteAll(t.Path("old.txt"), "old");
        ScriptedMessageBoxes boxes;
        WriterPlatform p = Harddisk();
        std::string asked;
        p.driveTypeName = [&](const std::string& path) {
            asked = path;
            return std::string(type);
        };
        for (const char* name : {"old.txt", "new.txt"}) {
            const auto out =
                WriteResultFile(WorkedExample(), t.Path(name), true, Christmas(), boxes, p);
            EXPECT_FALSE(out.saved);
            EXPECT_EQ(out.rightPanel, "Speichern nicht ausgeführt.");
            EXPECT_FALSE(out.leftPanel);
        }
        EXPECT_EQ(asked, t.Root());
        EXPECT_EQ(boxes.shown,
                  (std::vector<Box>(
                      2, {"Error", "Datei geöffnet oder Objekt zum Speichern ungeeignet!"})));
        EXPECT_EQ(ReadAll(t.Path("old.txt")), "old");
        EXPECT_FALSE(fs::exists(t.Path("new.txt")));
    }

    TempTree t;
    WriteAll(t.Path("old.txt"), "old");
    ScriptedMessageBoxes boxes;
    WriterPlatform p = Harddisk();
    std::int64_t askedMB = 0;
    p.hasFreeSpaceMB = [&](const std::string&, std::int64_t mb) {
        askedMB = mb;
        return false;
    };
    const auto out =
        WriteResultFile(WorkedExample(), t.Path("old.txt"), true, Christmas(), boxes, p);
    EXPECT_EQ(askedMB, 1);
    EXPECT_FALSE(out.saved);
    EXPECT_FALSE(out.leftPanel);
    EXPECT_FALSE(out.rightPanel);
    EXPECT_EQ(boxes.shown, (std::vector<Box>{{"Error", "Speicherplatz reicht nicht aus!"}}));
    EXPECT_EQ(ReadAll(t.Path("old.txt")), "old");
}

TEST(ResultWriter, FailedWriteKeepsTheOldFileAndReportsOnlyTheFailure) {
    TempTree t;
    const std::string folder = t.Folder("ro");
    WriteAll(folder + "/list.txt", "old content\r\n");
    ScriptedMessageBoxes boxes;
    {
        LockedPath lockedFile(folder + "/list.txt");
        LockedPath locked(folder);
        if (!locked.Works() || !lockedFile.Works())
            GTEST_SKIP() << "cannot make a folder unwritable here";
        const auto out = WriteResultFile(WorkedExample(), folder + "/list.txt", true, Christmas(),
                                         boxes, Harddisk());
        EXPECT_FALSE(out.saved);
        EXPECT_EQ(out.rightPanel, "Fehler!");
        EXPECT_FALSE(out.leftPanel);
    }
    EXPECT_EQ(boxes.shown, (std::vector<Box>{
                               {"Error", "Datei geöffnet oder Objekt zum Speichern ungeeignet!"}}));
    EXPECT_EQ(ReadAll(folder + "/list.txt"), "old content\r\n");
    EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{"list.txt"}));
}

TEST(ResultWriter, VanishedFolderIsAFailure) {
    TempTree t;
    const std::string folder = t.Folder("gone");
    fs::remove(folder);
    ScriptedMessageBoxes boxes;
    const auto out =
        WriteResultFile(WorkedExample(), folder + "/list.csv", true, Christmas(), boxes, Harddisk());
    EXPECT_FALSE(out.saved);
    EXPECT_EQ(out.rightPanel, "Fehler!");
    EXPECT_EQ(boxes.shown, (std::vector<Box>{
                               {"Error", "Datei geöffnet oder Objekt zum Speichern ungeeignet!"}}));
    EXPECT_FALSE(fs::exists(folder));
}

TEST(ResultWriter, ReplacingKeepsTheModeAndFollowsLinks) {
    TempTree t;
    WriteAll(t.Path("list.txt"), "old");
    ::chmod(t.Path("list.txt").c_str(), 0640);
    fs::create_symlink(t.Path("list.txt"), t.Path("link.txt"));
    ScriptedMessageBoxes boxes;
    const auto out =
        WriteResultFile(WorkedExample(), t.Path("link.txt"), false, Christmas(), boxes, Harddisk());
    EXPECT_TRUE(out.saved);
    EXPECT_TRUE(fs::is_symlink(t.Path("link.txt")));
    EXPECT_EQ(ReadAll(t.Path("list.txt")).substr(0, 6), "Datei;");
    struct stat st {};
    ASSERT_EQ(::stat(t.Path("list.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // A new file gets the usual mode for new files.
    const mode_t mask = ::umask(022);
    WriteResultFile(WorkedExample(), t.Path("new.txt"), false, Christmas(), boxes, Harddisk());
    ::umask(mask);
    ASSERT_EQ(::stat(t.Path("new.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(ResultWriter, WorksWithTheRealDriveRoutines) {
    TempTree t{TreePlace::Disk};
    ScriptedMessageBoxes boxes;
    const auto out = WriteResultFile(WorkedExample(), t.Path("real.txt"), false, Christmas(), boxes);
    EXPECT_TRUE(out.saved);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(ReadAll(t.Path("real.txt")).substr(0, 6), "Datei;");
}
