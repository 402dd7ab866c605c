#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <sys/stat.h>

#include "results/columns.h"
#include "results/row_builder.h"
#include "results/sorting.h"
#include "search/date_texts.h"
#include "search/search_thread.h"
#include "search/size_texts.h"
#include "support/recording_sink.h"
#include "support/temp_tree.h"

namespace {

struct Texts {
    std::vector<std::string> cells;
    std::vector<CellNumber> numbers;
};

Texts TextsOf(const ResultRow& row) {
    Texts t;
    for (std::size_t k = 0; k < row.CellCount(); ++k) {
        t.cells.push_back(row.Cell(k));
        t.numbers.push_back(row.Number(k));
    }
    return t;
}

// Every way of reading a row gives the texts and numbers it was made from.
void ExpectReadsBack(const ResultRow& row, const Texts& want, const std::string& where) {
    SCOPED_TRACE(where);
    ASSERT_EQ(row.CellCount(), want.cells.size());
    std::string buffer, scratch;
    std::array<std::string_view, 16> views;
    ASSERT_EQ(row.CellTexts(buffer, views), std::min(want.cells.size(), views.size()));
    for (std::size_t k = 0; k < want.cells.size(); ++k) {
        EXPECT_EQ(row.Cell(k), want.cells[k]) << "cell " << k;
        EXPECT_EQ(row.Number(k), want.numbers[k]) << "cell " << k;
        if (k < views.size()) {
            EXPECT_EQ(views[k], want.cells[k]) << "cell " << k;
        }
        const CellSplit split = row.SplitCell(k, scratch);
        EXPECT_EQ(split.hasFolder ? std::string(split.folder) + "/" + std::string(split.name)
                                  : std::string(split.name),
                  want.cells[k])
            << "cell " << k;
    }
}

std::size_t MemoryOf(const std::vector<ResultRow>& rows) {
    return std::accumulate(rows.begin(), rows.end(), std::size_t{0},
                           [](std::size_t n, const ResultRow& r) { return n + r.MemoryBytes(); });
}

LocaleFormats Formats(std::string thousands, std::string decimal, std::string date,
                      std::string time) {
    LocaleFormats f;
    f.thousandsSeparator = std::move(thousands);
    f.decimalSeparator = std::move(decimal);
    f.shortDateFormat = std::move(date);
    f.longTimeFormat = std::move(time);
    f.timeSeparator = ":";
    return f;
}

} // namespace

// Rows of a real walk, kept compact, read back exactly as the texts the search made, in every
// kind of listing and size unit; and they take less memory than rows of texts.
TEST(CompactRows, EveryListingReadsBackAsTheSearchMadeIt) {
    TempTree t;
    t.File("leer.txt", 0);
    t.File("eins.bin", 1);
    t.File("fast ein KB.bin", 1023);
    t.File("anderthalb.bin", 1536);
    t.File("Unter/groß.bin", 5'000'000);
    t.File("Unter/tief/.verborgen", 7);
    t.File("Unter/tief/nur lesen.pdf", 12);
    t.File(std::string("Unter/\xff\xfe kein UTF-8.txt"), 3);
    t.SetMode("Unter/tief/nur lesen.pdf", 0444);
    ASSERT_EQ(::mkfifo(t.Path("Unter/rohr").c_str(), 0644), 0);
    t.SetModified("eins.bin", 0);
    t.SetModified("fast ein KB.bin", -400'000'000);
    t.SetModified("anderthalb.bin", 4'102'444'800); // 2100
    for (const int mode : {ModeNone, ModeExplorer, ModeSingleFolders})
        for (const bool onlyFolders : {false, true})
            for (const int unit : {0, 1, 2}) {
                SearchOptions o;
                o.showSize = o.showModified = o.showCreated = o.showLastAccess = o.showFileCount =
                    o.showSubfolderCount = o.showType = o.showAttributes = o.showShortName =
                        o.includeSubfolders = true;
                o.onlyFolders = onlyFolders;
                o.structureMode = mode;
                o.sizeUnit = unit;
                SearchRequest r;
                r.target = t.Root();
                r.root = t.Root() + "/";
                r.mask = "*";
                r.options = o;
                r.walkThreads = 1;
                RecordingSink sink;
                TSearchThread(r, sink).Execute();
                const auto columns = BuildColumnSet(o);
                const std::string unitWord = UnitWord(unit);
                SeenFolders seenTexts, seenCompact;
                std::vector<ResultRow> texts, compact;
                RowCells cells;
                for (const ItemRecord& item : sink.items)
                    if (cells.Make(item, columns, o, unitWord, seenTexts))
                        texts.push_back(cells.Row());
                BuildRows(sink.items, columns, o, unitWord, seenCompact, compact);
                const std::string where = "mode " + std::to_string(mode) + " only folders " +
                                          std::to_string(onlyFolders) + " unit " +
                                          std::to_string(unit);
                ASSERT_EQ(compact.size(), texts.size()) << where;
                ASSERT_FALSE(compact.empty()) << where;
                for (std::size_t i = 0; i < compact.size(); ++i) {
                    const Texts want = TextsOf(texts[i]);
                    ExpectReadsBack(compact[i], want, where);
                    // The name, the shared folder and a few bytes for each other cell: no
                    // size, time, count, attribute or type text is kept. A structure row's short
                    // name is its folder's path, a text of its own.
                    const std::string& path = want.cells[0];
                    std::size_t texts = path.size() - path.rfind('/') - 1;
                    for (std::size_t c = 1; c < columns.size() && c < want.cells.size(); ++c)
                        if (columns[c].kind == ColumnKind::ShortName)
                            texts += want.cells[c].size();
                    EXPECT_LE(compact[i].MemoryBytes(), sizeof(ResultRow) + 1 + sizeof(void*) + 1 +
                                                            texts + 7 * (want.cells.size() - 1))
                        << where << " " << path;
                }
            }
}

// Sizes, the three times and counts are kept as numbers wherever the number makes the same
// text in the locale's formats; a text the number does not make, a time the file system does
// not keep and text cells read back unchanged.
TEST(CompactRows, CellsReadBackInEveryFormatAndUnit) {
    const LocaleFormats formats[] = {
        Formats(".", ",", "%d.%m.%Y", "%H:%M:%S"),
        Formats(",", ".", "%m/%d/%Y", "%I:%M:%S %p"),
        Formats("", ".", "%Y-%m-%d", "%T"),
        Formats(" ", ",", "%e %b %Y", "%R"),
    };
    const std::int64_t sizes[] = {0, 1, 1023, 1024, 1536, 999'999, 5'000'000'000, -1};
    const std::time_t times[] = {0, -400'000'000, 1'067'000'000, 1'711'846'800, 4'102'444'800};
    const std::vector<ColumnKind> kinds = {
        ColumnKind::Path,       ColumnKind::Size,       ColumnKind::Modified,
        ColumnKind::Created,    ColumnKind::LastAccess, ColumnKind::FileCount,
        ColumnKind::Attributes, ColumnKind::Type,       ColumnKind::ShortName};
    for (const LocaleFormats& f : formats)
        for (const int unit : {0, 1, 2})
            for (const bool structure : {false, true}) {
                CompactRows maker;
                maker.Use(unit, UnitWord(unit), f);
                const SizeTexts sizeTexts(unit, f);
                DateTexts dates(structure, f);
                std::vector<ResultRow> compact, plain;
                std::vector<Texts> wanted;
                for (std::size_t i = 0; i < std::size(sizes); ++i) {
                    const std::time_t when = times[i % std::size(times)];
                    Texts w;
                    std::string size, date;
                    if (structure)
                        sizeTexts.AssignStructure(size, sizes[i]);
                    else
                        sizeTexts.AssignPlain(size, sizes[i]);
                    dates.Assign(date, when);
                    const std::string path = i == 0 ? "ohne Trenner"
                                                    : "/Daten/Ordner " + std::to_string(i % 2) +
                                                          "/Datei" + std::to_string(i);
                    w.cells = {path,
                               size + " " + UnitWord(unit),
                               date,
                               "", // a birth time the file system does not keep
                               i % 2 ? date + " " : date, // not as the number makes it
                               std::to_string(sizes[i]),
                               i % 3 ? "RSH" : "HR", // letters out of their order stay text
                               i % 2 ? "PDF-Dokument" : "Ordner",
                               ""};
                    w.numbers = {std::nullopt, sizes[i],     when,         std::nullopt, when,
                                 sizes[i],     std::nullopt, std::nullopt, std::nullopt};
                    const std::vector<std::string_view> views(w.cells.begin(), w.cells.end());
                    compact.push_back(maker.Make(views, w.numbers, kinds, structure));
                    plain.push_back(ResultRow::Of(views.data(), views.size(), w.numbers.data()));
                    wanted.push_back(std::move(w));
                }
                const std::string where = f.shortDateFormat + " " + f.longTimeFormat + " unit " +
                                          std::to_string(unit) + " structure " +
                                          std::to_string(structure);
                for (std::size_t i = 0; i < compact.size(); ++i) {
                    ExpectReadsBack(compact[i], wanted[i], where);
                    ExpectReadsBack(plain[i], wanted[i], where);
                }
                EXPECT_LT(MemoryOf(compact), MemoryOf(plain)) << where;
            }
}

// Copies, moves, appends and sorts keep every row whole, and the folder the rows share lives
// as long as any row or copy points to it, whichever goes first.
TEST(CompactRows, CopiesAndSortsKeepRowsWhole) {
    const std::vector<std::string> paths = {"/b/z.txt", "/b/a.txt",   "/a/Ä.txt", "/a/b", "/x",
                                            "ohne",     "/b/a/c.txt", "/A/a.txt", "/"};
    const std::vector<ColumnKind> kinds = {ColumnKind::Path, ColumnKind::Size};
    const auto make = [&](std::vector<ResultRow>& compact, std::vector<ResultRow>& plain) {
        CompactRows maker;
        maker.Use(0, "Byte");
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const std::string size = std::to_string(i) + " Byte";
            const std::array<std::string_view, 2> cells = {paths[i], size};
            const std::array<CellNumber, 2> numbers = {std::nullopt, std::int64_t(i)};
            compact.push_back(maker.Make(cells, numbers, kinds, false));
            plain.push_back(ResultRow::Of(cells.data(), cells.size(), numbers.data()));
        }
    };
    std::vector<ResultRow> compact, plain;
    make(compact, plain);
    std::vector<Texts> wanted;
    for (const ResultRow& r : plain)
        wanted.push_back(TextsOf(r));
    // Copies outlive their originals, dropped from the front, the back and every other one.
    for (const int drop : {0, 1, 2}) {
        std::vector<ResultRow> copies = compact;
        std::vector<ResultRow> originals = compact;
        if (drop == 0)
            originals.clear();
        while (drop == 1 && !originals.empty())
            originals.pop_back();
        for (std::size_t i = 0; drop == 2 && i < originals.size(); i += 2)
            originals[i] = ResultRow();
        for (std::size_t i = 0; i < copies.size(); ++i)
            ExpectReadsBack(copies[i], wanted[i], "drop " + std::to_string(drop));
    }
    ResultRow moved = std::move(compact[0]);
    compact[0] = moved;
    compact[0] = compact[0];
    ExpectReadsBack(compact[0], wanted[0], "assigned back");
    ResultRow appended = compact[1];
    appended.Append("dazu");
    Texts longer = wanted[1];
    longer.cells.push_back("dazu");
    longer.numbers.push_back(std::nullopt);
    ExpectReadsBack(appended, longer, "appended");
    // Sorting compact rows orders them as rows of texts, by every column kind.
    for (const SortKind kind : {SortKind::Name, SortKind::Text, SortKind::Number})
        for (const int direction : {1, -1}) {
            ResultTable a{{}, compact}, b{{}, plain};
            const SortOrder order{kind == SortKind::Number ? 1u : 0u, kind, direction};
            SortRows(a, order, "Byte");
            SortRows(b, order, "Byte");
            ASSERT_EQ(a.rows.size(), b.rows.size());
            for (std::size_t i = 0; i < a.rows.size(); ++i)
                EXPECT_EQ(TextsOf(a.rows[i]).cells, TextsOf(b.rows[i]).cells) << i;
        }
}
