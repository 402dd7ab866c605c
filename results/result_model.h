#pragma once
#include <QAbstractTableModel>
#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <array>
#include <optional>
#include <unordered_map>
#include <vector>

#include "results/result_table.h"

// The result list's rows for the view. Rows arrive in batches; for each column it keeps the
// few widest texts so fitting a column never has to measure every row. Widths are estimated as
// the sum of the characters' advances in the list's font (by character count until one is set);
// the window measures the kept texts exactly.
class ResultModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ResultModel(QObject* parent = nullptr);

    void SetColumns(std::vector<ColumnSpec> columns); // empties the rows too
    void ClearRows();
    void RemoveColumns();
    void AppendRows(std::vector<ResultRow>&& rows);
    void SetHeaderGlyph(int column, const QIcon& glyph);
    void SetHeaderCaption(int column, const std::string& caption);
    void SetMeasureFont(const QFont& font);

    const ResultTable& Table() const { return table_; }
    ResultTable& MutableTable() { return table_; } // for sorting in place; call RowsReordered after
    void RowsReordered();
    // The longest texts seen in a column, the header's caption included.
    std::vector<QString> WidestCandidates(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    // Rows are dragged out as the files they name.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

private:
    void Remember(int column, std::string_view cell);
    void RememberCells(const ResultRow& row);
    void RebuildLongest();
    int EstimatedWidth(std::string_view text);
    int CharWidth(char32_t c);

    ResultTable table_;
    std::vector<QIcon> glyphs_;
    struct Kept {
        int width;
        std::string text;
    };
    std::vector<std::vector<Kept>> longest_; // per column, widest first
    std::optional<QFontMetrics> metrics_;
    std::array<int, 128> asciiWidths_{};
    std::unordered_map<char32_t, int> otherWidths_;
};
