#pragma once
#include <QColor>
#include <QFont>
#include <QLabel>
#include <functional>

// A label that is a link: hand cursor, blue and underlined while the mouse is over it, and a
// click hands its text to the desktop to open.
class THyperLinkLabel : public QLabel {
  public:
    using Opener = std::function<void(const QString&)>;
    explicit THyperLinkLabel(QWidget* parent, Opener open = OpenWithDesktop);

    static void OpenWithDesktop(const QString& address);

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    Opener open_;
    QFont restingFont_;
    QColor restingColour_;
    bool hovered_ = false;
};
