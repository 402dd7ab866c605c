#include "app/hyper_link_label.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

THyperLinkLabel::THyperLinkLabel(QWidget* parent, Opener open)
    : QLabel(parent), open_(std::move(open)) {
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
}

// Whether the address opens is the desktop's business; nothing is reported.
void THyperLinkLabel::OpenWithDesktop(const QString& address) {
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

void THyperLinkLabel::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    restingFont_ = font();
    restingColour_ = palette().color(QPalette::WindowText);
    QFont link = restingFont_;
    link.setUnderline(true);
    setFont(link);
    QPalette blue = palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(blue);
    QLabel::enterEvent(event);
}

void THyperLinkLabel::leaveEvent(QEvent* event) {
    if (hovered_) {
        hovered_ = false;
        setFont(restingFont_);
        QPalette resting = palette();
        resting.setColor(QPalette::WindowText, restingColour_);
        setPalette(resting);
    }
    QLabel::leaveEvent(event);
}

void THyperLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        open_(text());
    QLabel::mouseReleaseEvent(event);
}
