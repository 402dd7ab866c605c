#include "app/kept_bytes.h"

#include <QComboBox>
#include <QLineEdit>

namespace {
constexpr const char* kKept = "pathquillBytes";

QString Shown(const QByteArray& bytes) {
    return QString::fromUtf8(bytes);
}

QByteArray Bytes(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

bool StillShown(const QVariant& kept, const QString& shown) {
    return kept.isValid() && Shown(kept.toByteArray()) == shown;
}

std::string Behind(const QString& shown, const QVariant& kept) {
    return StillShown(kept, shown) ? kept.toByteArray().toStdString() : shown.toStdString();
}
} // namespace

void ShowBytes(QLineEdit& edit, const std::string& bytes) {
    edit.setProperty(kKept, Bytes(bytes));
    edit.setText(Shown(Bytes(bytes)));
}

std::string BytesOf(const QLineEdit& edit) {
    return Behind(edit.text(), edit.property(kKept));
}

void ShowEditBytes(QComboBox& box, const std::string& bytes) {
    box.setProperty(kKept, Bytes(bytes));
    box.setEditText(Shown(Bytes(bytes)));
}

std::string EditBytesOf(const QComboBox& box) {
    const QString shown = box.currentText();
    const QVariant kept = box.property(kKept);
    if (!StillShown(kept, shown))
        for (int i = 0; i < box.count(); ++i)
            if (box.itemText(i) == shown)
                return ItemBytesOf(box, i);
    return Behind(shown, kept);
}

void InsertItemBytes(QComboBox& box, int index, const std::string& bytes) {
    box.insertItem(index, Shown(Bytes(bytes)), Bytes(bytes));
}

std::string ItemBytesOf(const QComboBox& box, int index) {
    return Behind(box.itemText(index), box.itemData(index));
}
