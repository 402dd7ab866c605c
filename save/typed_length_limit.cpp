#include "save/typed_length_limit.h"

#include <QLineEdit>

namespace {
int Characters(const QString& text) {
    int count = 0;
    for (const QChar c : text)
        count += c.isLowSurrogate() ? 0 : 1;
    return count;
}
} // namespace

TypedLengthLimit::TypedLengthLimit(QLineEdit& box, int maxCharacters)
    : QValidator(&box), box_(box), maxCharacters_(maxCharacters),
      shownCharacters_(Characters(box.text())) {
    connect(&box, &QLineEdit::textChanged, this,
            [this](const QString& text) { shownCharacters_ = Characters(text); });
}

// Text set by the program leaves the box unmodified and is taken whole; an edit that makes a
// text longer than the limit is undone by the box.
QValidator::State TypedLengthLimit::validate(QString& input, int&) const {
    if (!box_.isModified())
        return Acceptable;
    const int characters = Characters(input);
    return characters > maxCharacters_ && characters > shownCharacters_ ? Invalid : Acceptable;
}
