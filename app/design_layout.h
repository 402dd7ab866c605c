#pragma once
#include <QRect>
#include <initializer_list>
#include <vector>

class QFont;
class QWidget;

// How much larger than the classic 8-point dialog face the window's font is, across and down.
// Never below 1, so the window's minimum sizes are never undercut.
struct DesignScale {
    double x = 1.0, y = 1.0;
    static DesignScale Of(const QFont& font);
    int X(int designPixels) const;
    int Y(int designPixels) const;
    QSize Size(int designWidth, int designHeight) const {
        return {X(designWidth), Y(designHeight)};
    }
};

// Places controls at the positions of the 8-point design, scaled to the window's font. A control
// is never smaller than its text needs; it moves right or down when a neighbour it follows grew,
// and a box grows around the controls inside it. Apply again whenever the font changes.
class DesignLayout {
  public:
    void Place(QWidget* control, QRect design);
    void Move(QWidget* control, QPoint designTopLeft);
    // Fits a control again after its text changed.
    void Refit(QWidget* control);
    // Starts no less than the gap right of the widest of the given controls.
    void After(QWidget* control, std::initializer_list<QWidget*> left, int designGap);
    // Starts no less than the gap below the given control.
    void Below(QWidget* control, QWidget* above, int designGap);
    // Ends at this design position, wherever it starts.
    void EndAt(QWidget* control, int designRight);
    // Stands centred on the height of another control.
    void CentreOn(QWidget* control, QWidget* other);

    void Apply(const QFont& font);
    const DesignScale& Scale() const { return scale_; }
    // The area the placed children of a widget take, at the current scale.
    QRect ChildrenArea(const QWidget* parent) const;

  private:
    struct Entry {
        QWidget* control;
        QRect design;
        std::vector<QWidget*> after;
        int afterGap = 0;
        QWidget* above = nullptr;
        int belowGap = 0;
        int right = -1;
        QWidget* centreOn = nullptr;
    };
    Entry* Find(const QWidget* control);
    void PlaceOne(const Entry& e);
    void GrowAroundChildren(QWidget* box);

    std::vector<Entry> entries_;
    DesignScale scale_;
};
