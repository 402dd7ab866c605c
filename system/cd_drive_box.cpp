#include "system/cd_drive_box.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QPainter>
#include <QPolygon>
#include <QSignalBlocker>

#include "system/drives.h"

namespace {

// Drives are kept as their raw path bytes; the text is only for the eye.
QByteArray Bytes(const std::string& s) {
    return {s.data(), static_cast<qsizetype>(s.size())};
}

int IndexOf(const QComboBox& box, const std::string& drive) {
    return box.findData(Bytes(drive));
}

void AddDrive(QComboBox& box, const std::string& drive, const std::string& text) {
    box.addItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), Bytes(drive));
}

std::vector<std::string> Drives(const QComboBox& box) {
    std::vector<std::string> drives;
    for (int i = 0; i < box.count(); ++i) {
        const QByteArray d = box.itemData(i).toByteArray();
        drives.emplace_back(d.constData(), static_cast<std::size_t>(d.size()));
    }
    return drives;
}

} // namespace

void FillCDDriveBox(QComboBox& box) {
    const QSignalBlocker blocker(box);
    box.clear();
    for (const DriveChoice& c : PresentDrives())
        AddDrive(box, c.drive, c.text);
    const std::string current = CurrentDrive();
    if (IndexOf(box, current) < 0)
        AddDrive(box, current, current);
    box.setCurrentIndex(IndexOf(box, current));
}

std::string CDDrive(const QComboBox& box) {
    const QByteArray d = box.currentData().toByteArray();
    return {d.constData(), static_cast<std::size_t>(d.size())};
}

void SelectCDDrive(QComboBox& box, const std::string& drive) {
    if (IndexOf(box, drive) < 0)
        AddDrive(box, drive, drive);
    box.setCurrentIndex(IndexOf(box, drive));
}

bool ChooseStartupCDDrive(QComboBox& box, const std::string& stored) {
    const auto drive = StartupCDDrive(stored, Drives(box), &GetDriveTypeName);
    if (!drive)
        return false;
    SelectCDDrive(box, *drive);
    return true;
}

QPixmap TrayPixmap(TrayPicture picture, int pixels) {
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    const QColor colour = picture == TrayPicture::W2 ? QColor(0, 0, 0) : QColor(128, 128, 128);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(pixels / 16.0, pixels / 16.0); // drawn in a 16-pixel grid at any size
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygon({QPoint(8, 3), QPoint(13, 8), QPoint(3, 8)}));
    p.fillRect(3, 10, 11, 2, colour);
    return pixmap;
}

void ShowTrayPicture(QAbstractButton& button, TrayPicture picture) {
    QIcon icon;
    for (const int pixels : {16, 24, 32, 48})
        icon.addPixmap(TrayPixmap(picture, pixels));
    button.setIcon(icon);
}
