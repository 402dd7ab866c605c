// The result list's columns, rows and size unit.
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>

#include "app/tform1.h"
#include "resources/glyphs.h"
#include "resources/strings.h"
#include "results/columns.h"
#include "results/result_list_view.h"
#include "results/result_model.h"

namespace {
constexpr int kCellPadding = 16;
constexpr int kMinimumWidth = 100;
} // namespace

// The style says what room a header needs for its caption and the glyph beside it.
int TForm1::FittedWidth(int column, bool headerOnly) const {
    int width = ListView1->header()->sectionSizeHint(column);
    if (headerOnly)
        return width;
    const QFontMetrics cells(ListView1->font());
    for (const QString& text : Results->WidestCandidates(column))
        width = std::max(width, cells.horizontalAdvance(text) + kCellPadding);
    return width;
}

void TForm1::CreateLVColumns() {
    const std::vector<ColumnSpec> columns = BuildColumnSet(CurrentOptions());
    Results->SetColumns(columns);
    for (int k = 0; k < static_cast<int>(columns.size()); ++k) {
        int width = FittedWidth(k, columns[k].fit == ColumnFit::Header);
        if (columns[k].fit == ColumnFit::ContentsMin100) width = std::max(width, design_.Scale().X(kMinimumWidth));
        ListView1->header()->resizeSection(k, width);
    }
}

void TForm1::FitColumnsToContents() {
    for (int k = 0; k < Results->columnCount(); ++k)
        ListView1->header()->resizeSection(k, FittedWidth(k, false));
}

void TForm1::RadioGroup1Click(int unit) {
    unitWord_ = UnitWord(unit);
    ckbShowSize->setText(QString::fromStdString(SizeCaption(unit)));
    design_.Refit(ckbShowSize);
}

void TForm1::ListView1Resize() {
    if (Results && Results->columnCount() > 0) ListView1->header()->resizeSection(0, FittedWidth(0, false));
}

void TForm1::ListView1ColumnClick(int column) {
    const HeaderClickOutcome outcome =
        ApplyHeaderClick(sortState_, Results->MutableTable(), static_cast<std::size_t>(column),
                         cbStructureSearch->currentIndex(),
                         UnitWordOfColumns(Results->Table().columns, unitWord_));
    if (outcome.ignored) return;
    if (outcome.sort) Results->RowsReordered();
    if (!glyphs_) return; // released at close
    QHeaderView& header = *ListView1->header();
    for (std::size_t k = 0; k < outcome.glyphs.size(); ++k) {
        const int column = static_cast<int>(k);
        Results->SetHeaderGlyph(column, glyphs_->Icon(outcome.glyphs[k]));
        // A glyph takes room from the caption; the column widens so the caption stays whole.
        header.resizeSection(column, std::max(header.sectionSize(column), FittedWidth(column, true)));
    }
}
