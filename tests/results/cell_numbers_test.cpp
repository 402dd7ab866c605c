#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "results/columns.h"
#include "results/row_builder.h"
#include "search/search_thread.h"
#include "support/recording_sink.h"
#include "support/temp_tree.h"

namespace fs = std::filesystem;

namespace {

struct Expected {
    std::int64_t size = 0, files = 0, subfolders = 0;
    std::time_t modified = 0, accessed = 0;
};

// What a row's numbers should be, found without the walker: a file's own size and times, a
// folder's totals over everything below it.
Expected ExpectedOf(const std::string& path) {
    Expected e;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        e.modified = st.st_mtime;
        e.accessed = st.st_atime;
        e.size = S_ISDIR(st.st_mode) ? 0 : st.st_size;
    }
    if (fs::is_directory(path))
        for (const auto& entry : fs::recursive_directory_iterator(path)) {
            if (entry.is_directory()) {
                ++e.subfolders;
            } else {
                ++e.files;
                e.size += static_cast<std::int64_t>(entry.file_size());
            }
        }
    return e;
}

std::vector<ResultRow> Rows(const TempTree& t, const SearchOptions& options) {
    SearchRequest r;
    r.target = t.Root();
    r.root = t.Root() + "/";
    r.mask = "*";
    r.options = options;
    r.walkThreads = 1;
    RecordingSink sink;
    TSearchThread(r, sink).Execute();
    SeenFolders seen;
    std::vector<ResultRow> rows;
    BuildRows(sink.items, BuildColumnSet(options), options, UnitWord(options.sizeUnit), seen, rows);
    return rows;
}

SearchOptions Options(int structureMode, bool onlyFolders, int unit) {
    SearchOptions o;
    o.showSize = o.showModified = o.showCreated = o.showLastAccess = o.showFileCount =
        o.showSubfolderCount = o.showType = o.showAttributes = true;
    o.includeSubfolders = true;
    o.onlyFolders = onlyFolders;
    o.structureMode = structureMode;
    o.sizeUnit = unit;
    return o;
}

} // namespace

// Every listing keeps the exact numbers behind its size, time and count cells, whatever unit
// the size cells show; text cells and unrecorded birth times have none.
TEST(CellNumbers, EveryListingKeepsTheNumbersBehindItsCells) {
    TempTree t;
    t.File("a.bin", 1536);
    t.File("sub/b.bin", 5'000'000);
    t.File("sub/deep/c.bin", 7);
    t.SetModified("a.bin", 1'000'000'000);
    const struct {
        const char* name;
        SearchOptions options;
    } cases[] = {
        {"plain, KB", Options(ModeNone, false, 1)},
        {"plain, MB", Options(ModeNone, false, 2)},
        {"only folders", Options(ModeNone, true, 0)},
        {"whole subtrees", Options(ModeExplorer, false, 1)},
        {"single folders", Options(ModeSingleFolders, false, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<ColumnSpec> columns = BuildColumnSet(c.options);
        const std::vector<ResultRow> rows = Rows(t, c.options);
        ASSERT_FALSE(rows.empty());
        for (const ResultRow& row : rows) {
            const std::string path(row.Cell(0));
            SCOPED_TRACE(path);
            Expected e = ExpectedOf(path);
            if (c.options.structureMode == ModeSingleFolders) { // the folder's own content only
                e = {};
                for (const auto& entry : fs::directory_iterator(path)) {
                    if (entry.is_directory()) {
                        ++e.subfolders;
                    } else {
                        ++e.files;
                        e.size += static_cast<std::int64_t>(entry.file_size());
                    }
                }
            }
            EXPECT_FALSE(row.Number(0));
            for (std::size_t k = 1; k < row.CellCount(); ++k) {
                const ColumnKind kind = c.options.onlyFolders ? ColumnKind::Size : columns[k].kind;
                const CellNumber n = row.Number(k);
                const bool timeShown = c.options.structureMode == ModeNone;
                switch (kind) {
                case ColumnKind::Size:
                    EXPECT_EQ(n, e.size) << row.Cell(k);
                    break;
                case ColumnKind::Modified:
                    EXPECT_EQ(n, timeShown ? CellNumber(e.modified) : std::nullopt);
                    break;
                case ColumnKind::LastAccess:
                    EXPECT_EQ(n, timeShown ? CellNumber(e.accessed) : std::nullopt);
                    break;
                case ColumnKind::Created:
                    EXPECT_EQ(n.has_value(), !row.Cell(k).empty());
                    break;
                case ColumnKind::FileCount:
                    EXPECT_EQ(n, e.files);
                    break;
                case ColumnKind::SubfolderCount:
                    EXPECT_EQ(n, e.subfolders);
                    break;
                default:
                    EXPECT_FALSE(n) << "text cell " << k;
                    break;
                }
            }
        }
    }
}

TEST(CellNumbers, CopiesAndAppendedCellsKeepTheNumbers) {
    const std::string_view cells[] = {"/a", "1,500 KB", "x", "12"};
    const CellNumber numbers[] = {std::nullopt, 1536, std::nullopt, -12};
    ResultRow row = ResultRow::Of(cells, 4, numbers);
    ResultRow copy = row;
    copy.Append("tail");
    for (const ResultRow* r : {&row, &copy}) {
        EXPECT_EQ(r->Cell(1), "1,500 KB");
        EXPECT_EQ(r->Cell(3), "12");
        EXPECT_EQ(r->Number(1), 1536);
        EXPECT_EQ(r->Number(3), -12);
        EXPECT_FALSE(r->Number(0));
        EXPECT_FALSE(r->Number(2));
        EXPECT_FALSE(r->Number(4));
    }
    EXPECT_EQ(copy.Cell(4), "tail");
    EXPECT_EQ(row.MemoryBytes() + 5, copy.MemoryBytes());
    EXPECT_FALSE(ResultRow::Of(cells, 4).Number(1));
}
