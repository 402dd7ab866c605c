#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "cli/list_command.h"
#include "platform/locale.h"
#include "save/export_file.h"
#include "save/xlsx_writer.h"
#include "support/calc_reader.h"
#include "support/numbered_table.h"
#include "support/scripted_message_boxes.h"
#include "support/temp_tree.h"
#include "tests/cli/cli_capture.h"

namespace fs = std::filesystem;

namespace {

std::time_t LocalClock(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = year - 1900, tm.tm_mon = month - 1, tm.tm_mday = day;
    tm.tm_hour = hour, tm.tm_min = minute, tm.tm_sec = second;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

ResultTable Listing(const std::string& folder, const std::string& mask, SearchOptions options) {
    ListArguments a;
    a.folder = folder;
    a.mask = mask;
    a.options = options;
    a.sort = SortRequest{"name", 1};
    return RunListSearch(a, "/", -1).table;
}

CalcCell Text(const std::string& s) {
    return {"string", s, false};
}
CalcCell Float(const std::string& s) {
    return {"float", s, false};
}
CalcCell Date(const std::string& s) {
    return {"date", s, false};
}
CalcCell Caption(const std::string& s) {
    return {"string", s, true};
}

WriterPlatform OnDisk() {
    WriterPlatform p;
    p.driveTypeName = [](const std::string&) { return std::string("Harddisk"); };
    return p;
}

} // namespace

// Listings of a small tree written as workbooks and read back by Calc: sizes as whole bytes
// that add up to the tree's total, times as dates, counts as numbers, names as text (a name
// that is not UTF-8 as the list shows it); a bold caption row with a filter over all rows; a
// list longer than a sheet goes on to the next sheet.
TEST(XlsxInCalc, ListingsReadBackCellForCell) {
    if (FindSoffice().empty())
        GTEST_SKIP() << "LibreOffice is not installed";
    TempTree tree;
    tree.File("Bücher/a.txt", 1234567);
    tree.File("Bücher/sub/c.txt", 2048);
    tree.File("Bücher/sub/bad\xff.txt", 10);
    tree.File("Bücher/sub/_x0041_.txt", 0);
    tree.SetModified("Bücher/sub/_x0041_.txt", LocalClock(2010, 5, 5, 10, 0, 0));
    tree.File("Bücher/skip.dat", 7);
    tree.SetModified("Bücher/a.txt", LocalClock(2003, 12, 24, 13, 45, 12));
    tree.SetModified("Bücher/sub/c.txt", LocalClock(1999, 7, 1, 0, 0, 0));
    tree.SetModified("Bücher/sub/bad\xff.txt", LocalClock(2020, 3, 29, 2, 30, 0));
    const std::string root = tree.Path("Bücher");
    TempTree out{TreePlace::Disk};
    ScriptedMessageBoxes boxes;

    SearchOptions plain;
    plain.includeSubfolders = plain.showSize = plain.showModified = plain.showAttributes = true;
    const ResultTable files = Listing(root, "*.txt", plain);
    ASSERT_EQ(files.rows.size(), 4u);
    SearchOptions structure;
    structure.structureMode = ModeExplorer;
    structure.showSize = structure.showFileCount = structure.showSubfolderCount = true;
    structure.sizeUnit = 1;
    const ResultTable folders = Listing(root, "*.*", structure);
    ASSERT_EQ(folders.rows.size(), 2u);

    const std::string plainFile = out.Path("plain.xlsx"), kbFile = out.Path("folders.xlsx"),
                      splitFile = out.Path("split.xlsx");
    EXPECT_TRUE(WriteSpreadsheet(files, plainFile, {SheetNameOf(root)}, boxes).saved);
    EXPECT_TRUE(WriteSpreadsheet(folders, kbFile, {SheetNameOf(root)}, boxes).saved);
    EXPECT_TRUE(WriteSpreadsheet(files, splitFile, {"Liste", 3}, boxes).saved);
    EXPECT_TRUE(boxes.shown.empty());

    const auto books = ReadWithCalc({plainFile, kbFile, splitFile}, out.Root());
    ASSERT_EQ(books.size(), 3u);

    // Times are local: Calc shows them as the list does, whatever the time zone.
    const auto local = [](std::time_t t) {
        return FormatLocalTime(ToLocalTime(t), "%Y-%m-%dT%H:%M:%S");
    };
    // By the path as listed; the rows come in the list's order.
    const std::map<std::string, std::vector<CalcCell>> plainRows = {
        {root + "/a.txt", {Text(root + "/a.txt"), Float("1234567"), Date("2003-12-24T13:45:12")}},
        {root + "/sub/_x0041_.txt",
         {Text(root + "/sub/_x0041_.txt"), Float("0"), Date("2010-05-05T10:00:00")}},
        {root + "/sub/bad\xff.txt",
         {Text(root + "/sub/bad\uFFFD.txt"), Float("10"),
          Date(local(LocalClock(2020, 3, 29, 2, 30, 0)))}},
        {root + "/sub/c.txt", // Calc writes midnight as the date alone
         {Text(root + "/sub/c.txt"), Float("2048"), Date("1999-07-01")}},
    };
    ASSERT_EQ(books[0].size(), 1u);
    EXPECT_EQ(books[0][0].name, "Bücher");
    EXPECT_EQ(books[0][0].filterRange, "Bücher.A1:Bücher.D5");
    ASSERT_EQ(books[0][0].rows.size(), 5u);
    EXPECT_EQ(books[0][0].rows[0],
              (std::vector<CalcCell>{Caption("Datei"), Caption("Größe (Byte)"), Caption("geändert"),
                                     Caption("Attribute")}));
    for (std::size_t r = 1; r < 5; ++r) { // attributes depend on the user's rights: not compared
        const auto& read = books[0][0].rows[r];
        EXPECT_EQ(std::vector(read.begin(), read.begin() + 3),
                  plainRows.at(std::string(files.rows[r - 1].Cell(0))));
    }
    double sum = 0;
    for (std::size_t r = 1; r < 5; ++r)
        sum += std::stod(books[0][0].rows[r][1].value);
    EXPECT_EQ(sum, 1234567 + 2048 + 10);
    EXPECT_EQ(sum, double(SizeTotal(files, 1)));

    // A structure listing in KB: exact kilobytes, counts as numbers.
    const std::vector<std::vector<CalcCell>> folderRows = {
        {Caption("Ordner"), Caption("Größe (KB)"), Caption("Dateien"), Caption("Unterordner")},
        {Text(root), Float("1207.6484375"), Float("5"), Float("1")},
        {Text(root + "/sub"), Float("2.009765625"), Float("3"), Float("0")},
    };
    ASSERT_EQ(books[1].size(), 1u);
    EXPECT_EQ(books[1][0].rows, folderRows);

    ASSERT_EQ(books[2].size(), 2u);
    EXPECT_EQ(books[2][0].name, "Liste");
    EXPECT_EQ(books[2][1].name, "Liste (2)");
    EXPECT_EQ(books[2][0].rows.size(), 4u);
    ASSERT_EQ(books[2][1].rows.size(), 2u);
    EXPECT_EQ(books[2][1].rows[0][0], Caption("Datei"));
    EXPECT_EQ(books[2][1].rows[1][0], plainRows.at(std::string(files.rows[3].Cell(0)))[0]);
    EXPECT_EQ(books[2][1].filterRange, "'Liste (2)'.A1:'Liste (2)'.D2");
}

TEST(XlsxWriter, RefusedCancelledOrFailedExportsLeaveTheTargetAsItWas) {
    TempTree out;
    const ResultTable table =
        MakeNumberedTable({"Datei", "Größe (Byte)"}, {{{"/a", "1 Byte"}, {std::nullopt, 1}}});
    const std::string target = out.Path("keep.xlsx");
    std::ofstream(target) << "old";

    ScriptedMessageBoxes boxes;
    WriterPlatform ramDisk; // the result file's refusal
    ramDisk.driveTypeName = [](const std::string&) { return std::string("RAM disk"); };
    const WriteOutcome refused = WriteSpreadsheet(table, target, {"x"}, boxes, {}, ramDisk);
    EXPECT_FALSE(refused.saved);
    EXPECT_EQ(refused.rightPanel, "Speichern nicht ausgeführt.");

    const WriteOutcome cancelled = WriteSpreadsheet(
        table, target, {"x"}, boxes, [](std::size_t, std::size_t) { return false; }, OnDisk());
    EXPECT_FALSE(cancelled.saved);
    EXPECT_EQ(cancelled.rightPanel, "Speichern nicht ausgeführt.");

    const WriteOutcome missingFolder =
        WriteSpreadsheet(table, out.Path("no/such/folder.xlsx"), {"x"}, boxes, {}, OnDisk());
    EXPECT_FALSE(missingFolder.saved);
    EXPECT_EQ(missingFolder.rightPanel, "Fehler!");

    EXPECT_EQ(boxes.shown, (std::vector<ScriptedMessageBoxes::Shown>{
                               {"Error", "Datei geöffnet oder Objekt zum Speichern ungeeignet!"},
                               {"Error", "Datei geöffnet oder Objekt zum Speichern ungeeignet!"}}));
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(out.Root()), fs::directory_iterator()), 1);

    const WriteOutcome saved = WriteSpreadsheet(table, target, {"x"}, boxes, {}, OnDisk());
    EXPECT_TRUE(saved.saved);
    EXPECT_EQ(saved.rightPanel, "Datei " + target + " gespeichert.");
    EXPECT_EQ(ReadBytes(target).substr(0, 2), "PK"); // a zip container now
}

TEST(XlsxWriter, SheetNamesTextsAndDateFormatsFitTheSpreadsheet) {
    const std::pair<std::string, std::string> names[] = {
        {"/home/u/Tools", "Tools"},
        {"/home/u/Tools/", "Tools"},
        {"AllDrives", "Alle Laufwerke"},
        {"/", "_"},
        {"/x/a[1]:b*c?d\\e", "a_1__b_c_d_e"},
        {"/x/'quoted'", "_quoted_"},
        {"/x/" + std::string(40, 'z'), std::string(31, 'z')},
        {"/x/" + std::string(30, 'z') + "äö", std::string(30, 'z') + "ä"},
        {"/x/bad\xff", "bad\uFFFD"},
    };
    for (const auto& [target, sheet] : names)
        EXPECT_EQ(SheetNameOf(target), sheet) << target;

    const std::pair<std::string, std::string> texts[] = {
        {"plain ä", "plain ä"},
        {"a\xff"
         "b\xc3",
         "a\uFFFD"
         "b\uFFFD"},
        {"\xed\xa0\x80", "\uFFFD\uFFFD\uFFFD"}, // an encoded surrogate is no character
        {std::string(40000, 'x'), std::string(32767, 'x')},
        // A cell's "_xHHHH_" would be read as a character: its "_" is escaped.
        {"a_x0041_b_x00e4__X0041_", "a_x005F_x0041_b_x005F_x00e4__X0041_"},
        {"_x41_ _x004G_ _x0041", "_x41_ _x004G_ _x0041"},
    };
    for (const auto& [text, cell] : texts)
        EXPECT_EQ(SpreadsheetCellText(text), cell);

    const std::tuple<std::string, std::string, std::string> formats[] = {
        {"%d.%m.%Y", "%H:%M:%S", "dd.mm.yyyy hh:mm:ss"},
        {"%m/%d/%Y", "%I:%M:%S %p", "mm/dd/yyyy hh:mm:ss AM/PM"},
        {"%Y-%m-%d", "%T", "yyyy-mm-dd hh:mm:ss"},
        {"%e. %B %Y", "%Hh%M", "d. mmmm yyyy hh\\hmm"},
        {"%D", "%r %Z", "mm/dd/yy hh:mm:ss AM/PM "},
    };
    for (const auto& [date, time, format] : formats)
        EXPECT_EQ(SpreadsheetDateTimeFormat(date, time), format) << date << " " << time;

    for (const auto& [name, kind] :
         {std::pair{"/a/b.PDF", ExportKind::Pdf}, std::pair{"b.xlsx", ExportKind::Spreadsheet},
          std::pair{"b.XlSx", ExportKind::Spreadsheet}, std::pair{"b.csv", ExportKind::ResultFile},
          std::pair{"b.xls", ExportKind::ResultFile}, std::pair{"/a.pdf/b", ExportKind::ResultFile},
          std::pair{"pdf", ExportKind::ResultFile}})
        EXPECT_EQ(ExportKindOfFileName(name), kind) << name;
}
