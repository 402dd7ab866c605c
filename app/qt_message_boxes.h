#pragma once
#include <QPoint>
#include <optional>

#include "app/message_boxes.h"

class QWidget;

// Modal QMessageBox dialogs with the program's titles and buttons.
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    void Error(const std::string& text) override;
    bool ErrorConfirmed(const std::string& text) override;
    void Information(const std::string& text) override;
    bool Question(const std::string& text) override;
    bool QuestionAt(const std::string& text, int x, int y) override;
    void Stop(const std::string& text) override;
    void Plain(const std::string& text) override;

private:
    bool Ask(const std::string& text, std::optional<QPoint> at);
    QWidget* parent_;
};
