#include "app/key_preview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

KeyPreview::KeyPreview(QWidget* window, std::function<void(int key)> onKey)
    : QObject(window), window_(window), onKey_(std::move(onKey)) {
    qApp->installEventFilter(this);
}

// A key that no control takes travels on to the parents; only its first receiver counts.
bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* widget = static_cast<const QWidget*>(watched);
    const QWidget* first = window_->focusWidget() ? window_->focusWidget() : window_;
    if (widget == first && widget->window() == window_)
        onKey_(static_cast<const QKeyEvent*>(event)->key());
    return false;
}
