#include <gtest/gtest.h>

#include "platform/locale.h"
#include "results/columns.h"
#include "results/row_builder.h"
#include "search/formatting.h"
#include "support/local_clock.h"

namespace {
std::vector<std::string> Captions(const SearchOptions& o) {
    std::vector<std::string> out;
    for (const auto& c : BuildColumnSet(o)) out.push_back(c.caption);
    return out;
}

SearchOptions Everything() {
    SearchOptions o;
    o.showSize = o.showType = o.showModified = o.showCreated = o.showLastAccess = true;
    o.showFileCount = o.showSubfolderCount = o.showAttributes = o.showShortName = true;
    return o;
}
} // namespace

TEST(Columns, PlainOnlyFoldersAndStructureSets) {
    EXPECT_EQ(Captions({}), std::vector<std::string>{"Datei"});
    SearchOptions all = Everything();
    all.sizeUnit = UnitKilobyte;
    EXPECT_EQ(Captions(all), (std::vector<std::string>{"Datei", "Größe (KB)", "Typ", "geändert",
                                                       "erstellt", "letzter Zugriff", "Attribute",
                                                       "kurzer Name"}));
    SearchOptions folders;
    folders.onlyFolders = true;
    EXPECT_EQ(Captions(folders), (std::vector<std::string>{"Ordner", "Größe (Byte)"}));
    const auto folderCols = BuildColumnSet(folders);
    EXPECT_TRUE(folderCols[1].alignRight);

    // In structure modes the window disables type, modified and last access.
    SearchOptions structure = Everything();
    structure.showType = structure.showModified = structure.showLastAccess = false;
    structure.structureMode = ModeExplorer;
    structure.sizeUnit = UnitMegabyte;
    EXPECT_EQ(Captions(structure), (std::vector<std::string>{"Ordner", "Größe (MB)", "erstellt",
                                                             "Dateien", "Unterordner", "Attribute",
                                                             "kurzer Name"}));
}

TEST(Columns, WorkedRowExample) {
    if (CurrentLocale().decimalSeparator != ",") GTEST_SKIP() << "needs de_DE.UTF-8";
    SearchOptions o;
    o.showSize = o.showModified = o.showAttributes = true;
    o.sizeUnit = UnitKilobyte;
    const auto cols = BuildColumnSet(o);
    ItemRecord item{};
    item.ItemPath = "/Daten/brief.doc";
    item.SizeText = SizeText(1234567, UnitKilobyte);
    item.Modified = DateText(LocalClock(2003, 12, 24, 13, 45, 12), false);
    item.Attributes = "A";
    SeenFolders seen;
    const auto row = BuildRow(item, cols, o, UnitWord(UnitKilobyte), seen);
    ASSERT_TRUE(row);
    ASSERT_EQ(row->CellCount(), 4u);
    EXPECT_EQ(row->Cell(0), "/Daten/brief.doc");
    EXPECT_EQ(row->Cell(1), "   1.205,632 KB");
    EXPECT_EQ(row->Cell(2), "24.12.2003 13:45:12");
    EXPECT_EQ(row->Cell(3), "A");
}

TEST(Columns, OnlyFoldersRowOncePerFolderAndSearch) {
    SearchOptions o;
    o.onlyFolders = true;
    const auto cols = BuildColumnSet(o);
    ItemRecord item;
    item.FolderPath = std::string("/data");
    item.SizeText = std::to_string(11);
    SeenFolders seen;
    EXPECT_TRUE(BuildRow(item, cols, o, "Byte", seen));
    EXPECT_FALSE(BuildRow(item, cols, o, "Byte", seen));
    SeenFolders nextSearch;
    const auto again = BuildRow(item, cols, o, "Byte", nextSearch);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Cell(1), "11 Byte");
}
