#pragma once
#include <QPixmap>
#include <string>

#include "system/tray.h"

class QAbstractButton;
class QComboBox;

// The CD drive box (a plain QComboBox) and the tray button's picture.

// Lists the present drives and optical drives and selects the current drive,
// without raising the change signal.
void FillCDDriveBox(QComboBox& box);
// The selected drive; empty when the box is empty.
std::string CDDrive(const QComboBox& box);
// Selects drive (adding it when missing); the box raises its change signal when the
// selection really changes.
void SelectCDDrive(QComboBox& box, const std::string& drive);
// The start-up choice from the stored drive; true when an optical drive was selected,
// after which the window runs CheckCDROM once more.
bool ChooseStartupCDDrive(QComboBox& box, const std::string& stored);

// W1 (grey eject symbol) and W2 (black), 16 x 16 on a transparent background.
QPixmap TrayPixmap(TrayPicture picture, int pixels = 16);
void ShowTrayPicture(QAbstractButton& button, TrayPicture picture);
