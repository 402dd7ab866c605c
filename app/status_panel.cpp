#include "app/status_panel.h"

#include "search/minimize_name.h"

namespace {
QString Shown(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
} // namespace

void StatusPanel::ShowPath(const std::string& text, const std::string& path) {
    const std::size_t at = path.empty() ? std::string::npos : text.find(path);
    before_ = at == std::string::npos ? text : text.substr(0, at);
    path_ = at == std::string::npos ? std::string() : path;
    after_ = at == std::string::npos ? std::string() : text.substr(at + path.size());
    fitted_ = Shown(text);
    setText(fitted_);
    Fit();
}

// A panel that is not shown has no width of its own yet; it is fitted once it is shown.
void StatusPanel::Fit() {
    if (path_.empty() || !isVisible() || text() != fitted_)
        return;
    const QFontMetrics metrics(font());
    const std::string shown = MinimizeName(
        path_,
        [&](std::string_view p) {
            return metrics.horizontalAdvance(Shown(before_ + std::string(p) + after_));
        },
        contentsRect().width());
    fitted_ = Shown(before_ + shown + after_);
    setText(fitted_);
}

// The width comes from the status bar, never from the text.
QSize StatusPanel::sizeHint() const {
    return {0, QLabel::sizeHint().height()};
}

QSize StatusPanel::minimumSizeHint() const {
    return {0, QLabel::minimumSizeHint().height()};
}

void StatusPanel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Fit();
}

void StatusPanel::showEvent(QShowEvent* event) {
    QLabel::showEvent(event);
    Fit();
}
