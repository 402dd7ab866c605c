#include "results/result_list_view.h"

#include <QEvent>
#include <algorithm>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>

namespace {
// Cells are drawn without the focus frame of a single cell.
class RowCellDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem cell(option);
        cell.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, cell, index);
    }
};
} // namespace

ResultListView::ResultListView(QWidget* parent) : QTableView(parent) {
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setHorizontalScrollMode(ScrollPerPixel);
    setItemDelegate(new RowCellDelegate(this));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView& columns = *horizontalHeader();
    columns.setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    columns.setHighlightSections(false);
    columns.setSectionsMovable(true);
    columns.setFirstSectionMovable(false);
    FitRowHeight();
}

int ResultListView::RowHeight() const {
    QStyleOptionViewItem item;
    initViewItemOption(&item);
    item.features |= QStyleOptionViewItem::HasDisplay;
    item.text = QStringLiteral("Xg");
    return style()->sizeFromContents(QStyle::CT_ItemViewItem, &item, QSize(), this).height();
}

void ResultListView::FitRowHeight() {
    const int height = RowHeight();
    verticalHeader()->setMinimumSectionSize(height);
    verticalHeader()->setDefaultSectionSize(height);
}

void ResultListView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        FitRowHeight();
}

void ResultListView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    QScrollBar& bar = *horizontalScrollBar();
    const int sideways = bar.value();
    QTableView::scrollTo(index, hint);
    bar.setValue(sideways);
}

void ResultListView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid())
        return;
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.state |= QStyle::State_KeyboardFocusChange;
    frame.backgroundColor = palette().color(
        selectionModel()->isSelected(current) ? QPalette::Highlight : QPalette::Base);
    frame.rect = QRect(-horizontalOffset(), rowViewportPosition(current.row()),
                       horizontalHeader()->length(), rowHeight(current.row()));
    QPainter painter(viewport());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}

void ResultListView::UpdateRow(const QModelIndex& index) {
    if (index.isValid())
        viewport()->update(0, rowViewportPosition(index.row()), viewport()->width(),
                           rowHeight(index.row()));
}

void ResultListView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    UpdateRow(previous);
    UpdateRow(current);
}

void ResultListView::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    UpdateRow(currentIndex());
}

void ResultListView::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    UpdateRow(currentIndex());
}

QModelIndex ResultListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    switch (action) {
    case MoveLeft:
    case MoveRight: {
        QScrollBar& bar = *horizontalScrollBar();
        bar.setValue(bar.value() + (action == MoveLeft ? -bar.singleStep() : bar.singleStep()));
        return currentIndex();
    }
    case MoveHome:
    case MoveEnd: {
        const int row = action == MoveHome ? 0 : model()->rowCount(rootIndex()) - 1;
        return model()->index(row, std::max(currentIndex().column(), 0), rootIndex());
    }
    default:
        return QTableView::moveCursor(action, modifiers);
    }
}
