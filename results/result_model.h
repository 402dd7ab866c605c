#pragma once
#include <QAbstractTableModel>
#include <QIcon>
#include <vector>

#include "results/result_table.h"

// The result list's rows for the view. Rows arrive in batches; for each column it keeps the
// few longest texts so fitting a column never has to measure every row.
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

    const ResultTable& Table() const { return table_; }
    ResultTable& MutableTable() { return table_; } // for sorting in place; call RowsReordered after
    void RowsReordered();
    // The longest texts seen in a column, the header's caption included.
    std::vector<QString> WidestCandidates(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    void Remember(int column, std::string_view cell);
    void RebuildLongest();

    ResultTable table_;
    std::vector<QIcon> glyphs_;
    std::vector<std::vector<std::string>> longest_; // per column, longest first
};
