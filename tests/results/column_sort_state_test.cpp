#include <gtest/gtest.h>

#include "results/column_sort_state.h"
#include "search/search_request.h"
#include "support/table_builder.h"

using Cells = std::vector<std::string>;
using G = HeaderGlyph;

namespace {

ResultTable Listing() {
    return MakeTable({"Datei", "Größe (KB)", "geändert", "Attribute"},
                     {{"/d/b.txt", "     999,000 KB", "01.02.2003 08:00:00", "R"},
                      {"/d/A.txt", "   1.000,000 KB", "24.12.2003 13:45:12", "A"},
                      {"/d/c.txt", "       0,117 KB", "24.12.2002 13:45:12", "H"}});
}

// What the window does once at start-up, before any column exists.
ColumnSortState AfterStartUp() {
    ColumnSortState state;
    ResultTable empty;
    ApplyHeaderClick(state, empty, 0, ModeNone, "KB");
    return state;
}

} // namespace

TEST(ColumnSortState, ThreeClicksOnADateColumnGoDownUpDown) {
    ColumnSortState state = AfterStartUp();
    ResultTable t = Listing();
    auto out = ApplyHeaderClick(state, t, 2, ModeNone, "KB");
    EXPECT_EQ(ColumnOf(t, 0), (Cells{"/d/A.txt", "/d/b.txt", "/d/c.txt"})); // newest first
    EXPECT_EQ(out.glyphs, (std::vector<G>{G::NoArrow, G::NoArrow, G::ArrowDown, G::NoArrow}));
    out = ApplyHeaderClick(state, t, 2, ModeNone, "KB");
    EXPECT_EQ(ColumnOf(t, 0), (Cells{"/d/c.txt", "/d/b.txt", "/d/A.txt"}));
    EXPECT_EQ(out.glyphs[2], G::ArrowUp);
    out = ApplyHeaderClick(state, t, 2, ModeNone, "KB");
    EXPECT_EQ(ColumnOf(t, 0), (Cells{"/d/A.txt", "/d/b.txt", "/d/c.txt"}));
    EXPECT_EQ(out.glyphs[2], G::ArrowDown);
}

TEST(ColumnSortState, NameColumnAfterStartUpSortsAToZFirst) {
    ColumnSortState state = AfterStartUp();
    EXPECT_EQ(state.Direction(ColumnSortState::Name), 1);
    ResultTable t = Listing();
    auto out = ApplyHeaderClick(state, t, 0, ModeNone, "KB");
    EXPECT_EQ(ColumnOf(t, 0), (Cells{"/d/A.txt", "/d/b.txt", "/d/c.txt"}));
    EXPECT_EQ(out.glyphs, (std::vector<G>{G::ArrowUp, G::NoArrow, G::NoArrow, G::NoArrow}));
    out = ApplyHeaderClick(state, t, 0, ModeNone, "KB");
    EXPECT_EQ(ColumnOf(t, 0), (Cells{"/d/c.txt", "/d/b.txt", "/d/A.txt"}));
    EXPECT_EQ(out.glyphs[0], G::ArrowDown);
    out = ApplyHeaderClick(state, t, 0, ModeNone, "KB");
    EXPECT_EQ(ColumnOf(t, 0), (Cells{"/d/A.txt", "/d/b.txt", "/d/c.txt"}));
    EXPECT_EQ(out.glyphs[0], G::ArrowUp);
}

TEST(ColumnSortState, SizeColumnSortsByNumberAndShareItsMemoryAcrossUnits) {
    ColumnSortState state = AfterStartUp();
    ResultTable t = Listing();
    ApplyHeaderClick(state, t, 1, ModeNone, "KB");
    EXPECT_EQ(ColumnOf(t, 1), (Cells{"   1.000,000 KB", "     999,000 KB", "       0,117 KB"}));
    // A later search in megabytes: the shared memory now sorts ascending.
    ResultTable mb =
        MakeTable({"Ordner", "Größe (MB)"}, {{"/x", "   2,000000 MB"}, {"/y", "   1,500000 MB"}});
    const auto out = ApplyHeaderClick(state, mb, 1, ModeNone, "MB");
    EXPECT_EQ(ColumnOf(mb, 0), (Cells{"/y", "/x"}));
    EXPECT_EQ(out.glyphs, (std::vector<G>{G::NoArrow, G::ArrowUp}));
}

TEST(ColumnSortState, StructureModesIgnoreClicks) {
    for (const int mode : {ModeExplorer, ModeSingleFolders}) {
        ColumnSortState state = AfterStartUp();
        ResultTable t = Listing();
        const auto out = ApplyHeaderClick(state, t, 2, mode, "KB");
        EXPECT_TRUE(out.ignored);
        EXPECT_TRUE(out.glyphs.empty());
        EXPECT_FALSE(out.sort);
        EXPECT_EQ(ColumnOf(t, 0), ColumnOf(Listing(), 0));
        EXPECT_EQ(state.Direction(ColumnSortState::Modified), -1);
    }
}

TEST(ColumnSortState, UnknownCaptionsAndLateColumnsSortNothing) {
    ColumnSortState state;
    const Cells captions{"Datei", "Dateien", "x", "x", "x", "x", "x", "x", "Typ"};
    auto out = state.Click(1, captions, false);
    EXPECT_FALSE(out.sort);
    EXPECT_EQ(out.glyphs[1], G::ArrowUp);
    out = state.Click(8, captions, false); // "Typ", but past the eighth column
    EXPECT_FALSE(out.sort);
    EXPECT_EQ(state.Direction(ColumnSortState::Type), -1);
    EXPECT_EQ(out.glyphs.size(), captions.size());
    EXPECT_EQ(out.glyphs[8], G::ArrowUp);
    out = state.Click(7, captions, false);
    EXPECT_FALSE(out.sort);
}

TEST(ColumnSortState, EachKindOfColumnHasItsOwnMemoryAndComparison) {
    ColumnSortState state;
    const Cells captions{"Datei",    "Größe (Byte)",    "Typ",       "geändert",
                         "erstellt", "letzter Zugriff", "Attribute", "kurzer Name"};
    const SortKind kinds[] = {SortKind::Name, SortKind::Number, SortKind::Text, SortKind::Date,
                              SortKind::Date, SortKind::Date,   SortKind::Text, SortKind::Text};
    for (std::size_t k = 0; k < captions.size(); ++k) {
        const auto out = state.Click(k, captions, false);
        ASSERT_TRUE(out.sort) << k;
        EXPECT_EQ(out.sort->column, k);
        EXPECT_EQ(out.sort->kind, kinds[k]) << k;
        EXPECT_EQ(out.sort->direction, -1) << k; // untouched by the clicks before it
        EXPECT_EQ(out.glyphs[k], G::ArrowDown) << k;
    }
}
