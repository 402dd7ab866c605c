#include "app/qt_message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

#include "resources/qt_text.h"

namespace {
int Show(QWidget* parent, QMessageBox::Icon icon, std::string_view title, const std::string& text) {
    QMessageBox box(icon, QText(title), QText(text), QMessageBox::Ok, parent);
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
    QMessageBox box(QMessageBox::Question, QText(199), QText(text), QMessageBox::NoButton, parent_);
    if (at)
        box.move(*at); // a moved box is not centred over its parent when shown
    QPushButton* yes = box.addButton(QText(201), QMessageBox::YesRole);
    box.addButton(QText(202), QMessageBox::NoRole);
    box.exec();
    return box.clickedButton() == yes; // anything but Ja counts as Nein
}

void QtMessageBoxes::Stop(const std::string& text) {
    Show(parent_, QMessageBox::Critical, MessageText(203), text + ".");
}

void QtMessageBoxes::Plain(const std::string& text) {
    Show(parent_, QMessageBox::NoIcon, MessageText(203), text);
}
