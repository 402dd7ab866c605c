#pragma once
#include <QTableView>

// The file list: one line per row, whole rows selected, no grid and no row numbers. A table
// rather than a tree, because a tree keeps a layout item for every row and lays them all out
// again whenever rows are appended.
class ResultListView : public QTableView {
    Q_OBJECT
  public:
    explicit ResultListView(QWidget* parent = nullptr);

    QHeaderView* header() const { return horizontalHeader(); }
    // One line of the list's font, as the style pads an item.
    int RowHeight() const;

    // Rows come into view; the sideways position stays where the user put it.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

  protected:
    void changeEvent(QEvent* event) override;
    // The current row is framed as a whole, as a list frames it, not its one cell.
    void paintEvent(QPaintEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Left and Right scroll sideways, Home and End go to the first and last row: the list moves
    // by rows, never between cells.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

  private:
    void FitRowHeight();
    void UpdateRow(const QModelIndex& index);
};
