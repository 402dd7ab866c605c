#include "app/design_layout.h"

#include <QFontMetricsF>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {
// The average letter width and the line height of the 8-point face the design was drawn in.
constexpr double kDesignLetterWidth = 6.4;
constexpr double kDesignLineHeight = 12.3;
// Room a box keeps right of and below the controls inside it.
constexpr int kBoxMarginRight = 8, kBoxMarginBottom = 6;

int Depth(const QWidget* w) {
    int depth = 0;
    for (; w && !w->isWindow(); w = w->parentWidget())
        ++depth;
    return depth;
}
} // namespace

DesignScale DesignScale::Of(const QFont& font) {
    const QFontMetricsF fm(font);
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const double letterWidth = fm.horizontalAdvance(letters) / letters.size();
    return {std::max(1.0, letterWidth / kDesignLetterWidth),
            std::max(1.0, fm.height() / kDesignLineHeight)};
}

int DesignScale::X(int designPixels) const {
    return static_cast<int>(std::lround(designPixels * x));
}
int DesignScale::Y(int designPixels) const {
    return static_cast<int>(std::lround(designPixels * y));
}

DesignLayout::Entry* DesignLayout::Find(const QWidget* control) {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const Entry& e) { return e.control == control; });
    return it == entries_.end() ? nullptr : &*it;
}

void DesignLayout::Place(QWidget* control, QRect design) {
    if (Entry* e = Find(control))
        e->design = design;
    else
        entries_.push_back(Entry{control, design, {}});
}

void DesignLayout::Move(QWidget* control, QPoint designTopLeft) {
    Entry* e = Find(control);
    if (!e)
        return;
    e->design.moveTopLeft(designTopLeft);
    PlaceOne(*e);
}

void DesignLayout::Refit(QWidget* control) {
    if (const Entry* e = Find(control))
        PlaceOne(*e);
}

void DesignLayout::After(QWidget* control, std::initializer_list<QWidget*> left, int designGap) {
    if (Entry* e = Find(control))
        e->after.assign(left), e->afterGap = designGap;
}

void DesignLayout::Below(QWidget* control, QWidget* above, int designGap) {
    if (Entry* e = Find(control))
        e->above = above, e->belowGap = designGap;
}

void DesignLayout::EndAt(QWidget* control, int designRight) {
    if (Entry* e = Find(control))
        e->right = designRight;
}

void DesignLayout::CentreOn(QWidget* control, QWidget* other) {
    if (Entry* e = Find(control))
        e->centreOn = other;
}

QRect DesignLayout::ChildrenArea(const QWidget* parent) const {
    QRect area;
    for (const Entry& e : entries_)
        if (e.control->parentWidget() == parent)
            area |= e.control->geometry();
    return area;
}

void DesignLayout::PlaceOne(const Entry& e) {
    const QSize hint = e.control->sizeHint().expandedTo(e.control->minimumSizeHint());
    int x = scale_.X(e.design.x());
    for (const QWidget* left : e.after)
        x = std::max(x, left->geometry().right() + 1 + scale_.X(e.afterGap));
    const int width =
        e.right >= 0 ? scale_.X(e.right) - x : std::max(scale_.X(e.design.width()), hint.width());
    const int height = std::max(scale_.Y(e.design.height()), hint.height());
    int y = scale_.Y(e.design.y());
    if (e.above)
        y = std::max(y, e.above->geometry().bottom() + 1 + scale_.Y(e.belowGap));
    if (e.centreOn)
        y = e.centreOn->y() + (e.centreOn->height() - height) / 2;
    e.control->setGeometry(x, y, width, height);
}

void DesignLayout::GrowAroundChildren(QWidget* box) {
    const QRect area = ChildrenArea(box);
    if (area.isEmpty())
        return;
    box->resize(box->size().expandedTo(QSize(area.right() + 1 + scale_.X(kBoxMarginRight),
                                             area.bottom() + 1 + scale_.Y(kBoxMarginBottom))));
}

// The controls inside a box come first, so the box knows how large they turned out.
void DesignLayout::Apply(const QFont& font) {
    scale_ = DesignScale::Of(font);
    std::vector<const Entry*> order;
    for (const Entry& e : entries_)
        order.push_back(&e);
    std::stable_sort(order.begin(), order.end(), [](const Entry* a, const Entry* b) {
        return Depth(a->control) > Depth(b->control);
    });
    // Twice: a control may follow or centre on one placed after it.
    for (int pass = 0; pass < 2; ++pass)
        for (const Entry* e : order) {
            PlaceOne(*e);
            GrowAroundChildren(e->control);
        }
}
