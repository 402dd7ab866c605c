#pragma once
#include <QValidator>

class QLineEdit;

// Lets the user type at most a number of characters into a box, while a longer text the
// program puts there stays whole and can still be shortened.
class TypedLengthLimit : public QValidator {
    Q_OBJECT
  public:
    TypedLengthLimit(QLineEdit& box, int maxCharacters);
    State validate(QString& input, int& pos) const override;

  private:
    const QLineEdit& box_;
    int maxCharacters_;
    int shownCharacters_ = 0; // what the box held before the edit being checked
};
