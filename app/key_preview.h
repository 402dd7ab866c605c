#pragma once
#include <QObject>
#include <functional>

class QWidget;

// Lets a window see each key pressed in it before the control that has the focus does; the
// key then goes on to that control unchanged.
class KeyPreview : public QObject {
  public:
    KeyPreview(QWidget* window, std::function<void(int key)> onKey);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* window_;
    std::function<void(int)> onKey_;
};
