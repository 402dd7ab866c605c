#include "app/qt_message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

#include "resources/qt_text.h"

namespace {
// The style's plain buttons: some desktop themes put an icon on every dialog button.
void WithoutButtonIcons(QMessageBox& box) {
    for (QAbstractButton* button : box.buttons())
        button->setIcon(QIcon());
}

int Show(QWidget* parent, QMessageBox::Icon icon, std::string_view title, const std::string& text) {
    QMessageBox box(icon, QText(title), QText(text), QMessageBox::Ok, parent);
    WithoutButtonIcons(box);
    return box.exec();
}
} // namespace

void QtMessageBoxes::Error(const std::string& text) { ErrorConfirmed(text); }

bool QtMessageBoxes::ErrorConfirmed(const std::string& text) {
    return Show(parent_, QMessageBox::Critical, MessageText(52), text) == QMessageBox::Ok;
}

void QtMessageBoxes::Information(const std::string& text) {
    Show(parent_, QMessageBox::Information, MessageText(200), text);
}

bool QtMessageBoxes::Question(const std::string& text) { return Ask(text, std::nullopt); }

bool QtMessageBoxes::QuestionAt(const std::string& text, int x, int y) {
    return Ask(text, QPoint(x, y));
}

bool QtMessageBoxes::Ask(const std::string& text, std::optional<QPoint> at) {
    QMessageBox box(QMessageBox::Question, QText(199), QText(text), QMessageBox::Yes | QMessageBox::No,
                    parent_);
    if (at)
        box.move(*at); // a moved box is not centred over its parent when shown
    box.button(QMessageBox::Yes)->setText(QText(201));
    box.button(QMessageBox::No)->setText(QText(202));
    WithoutButtonIcons(box);
    return box.exec() == QMessageBox::Yes; // anything but Ja counts as Nein
}

void QtMessageBoxes::Stop(const std::string& text) {
    Show(parent_, QMessageBox::Critical, MessageText(203), text + ".");
}

void QtMessageBoxes::Plain(const std::string& text) {
    Show(parent_, QMessageBox::NoIcon, MessageText(203), text);
}
