#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QToolButton>

#include "system/cd_drive_box.h"
#include "system/drives.h"

namespace {

int ChangesWhile(QComboBox& box, const std::function<void()>& action) {
    int changes = 0;
    const auto c =
        QObject::connect(&box, &QComboBox::currentIndexChanged, &box, [&changes] { ++changes; });
    action();
    QObject::disconnect(c);
    return changes;
}

} // namespace

TEST(CDDriveBox, PicturesAreTheEjectSymbolInGreyAndBlackOnTransparent) {
    const QImage w1 = TrayPixmap(TrayPicture::W1).toImage();
    const QImage w2 = TrayPixmap(TrayPicture::W2).toImage();
    ASSERT_EQ(w1.size(), QSize(16, 16));
    ASSERT_EQ(w2.size(), QSize(16, 16));
    EXPECT_EQ(w1.pixelColor(8, 10), QColor(128, 128, 128)); // the bar
    EXPECT_EQ(w1.pixelColor(8, 6), QColor(128, 128, 128));  // the triangle
    EXPECT_EQ(w2.pixelColor(8, 10), QColor(0, 0, 0));
    EXPECT_EQ(w2.pixelColor(8, 6), QColor(0, 0, 0));
    EXPECT_EQ(w1.pixelColor(8, 9).alpha(), 0); // the gap between triangle and bar
    EXPECT_EQ(w1.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(w2.pixelColor(15, 15).alpha(), 0);
    // The same symbol in both.
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(w1.pixelColor(x, y).alpha(), w2.pixelColor(x, y).alpha()) << x << "," << y;
}

TEST(CDDriveBox, ShowTrayPictureSetsTheIcon) {
    QToolButton button;
    EXPECT_TRUE(button.icon().isNull());
    ShowTrayPicture(button, TrayPicture::W2);
    EXPECT_FALSE(button.icon().isNull());
}

TEST(CDDriveBox, FillsWithTheCurrentDriveSelectedAndNoChangeSignal) {
    QComboBox box;
    EXPECT_EQ(ChangesWhile(box, [&] { FillCDDriveBox(box); }), 0);
    ASSERT_GT(box.count(), 0);
    EXPECT_EQ(CDDrive(box), CurrentDrive());
    for (const DriveChoice& c : PresentDrives())
        EXPECT_GE(box.findData(QByteArray::fromStdString(c.drive)), 0) << c.drive;
}

TEST(CDDriveBox, SelectingAnotherDriveRaisesTheChangeOnce) {
    QComboBox box;
    FillCDDriveBox(box);
    const std::string current = CDDrive(box);
    EXPECT_EQ(ChangesWhile(box, [&] { SelectCDDrive(box, current); }), 0);
    EXPECT_EQ(ChangesWhile(box, [&] { SelectCDDrive(box, "/no/such/drive"); }), 1);
    EXPECT_EQ(CDDrive(box), "/no/such/drive");
}

TEST(CDDriveBox, StartupWithoutAnyOpticalDriveKeepsTheSelection) {
    QComboBox box;
    FillCDDriveBox(box);
    for (int i = 0; i < box.count(); ++i)
        if (GetDriveTypeName(box.itemData(i).toByteArray().toStdString()) == "CD-ROM")
            GTEST_SKIP() << "this machine has an optical drive";
    const std::string before = CDDrive(box);
    bool chosen = true;
    EXPECT_EQ(ChangesWhile(box, [&] { chosen = ChooseStartupCDDrive(box, "/"); }), 0);
    EXPECT_FALSE(chosen);
    EXPECT_EQ(CDDrive(box), before);
}
