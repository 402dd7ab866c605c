#include <gtest/gtest.h>

#include <QApplication>

#include "app/tform1.h"
#include "support/scripted_message_boxes.h"
#include "support/temp_tree.h"
#include "trees/save_in_tree.h"

namespace {
const std::string kLong = "/home/benutzer/Dokumente/Ablage/Listen der Sammlungen/2024/Musik";

bool Fits(const QLabel& panel) {
    return panel.fontMetrics().horizontalAdvance(panel.text()) <= panel.contentsRect().width();
}
} // namespace

// Panel 1 shortens a path inside its text from the left, as panel 0 does, at any width.
TEST(StatusPanel, PathInTheTextIsShortenedFromTheLeftToFit) {
    const std::string file = kLong + "/liste.txt";
    struct Case {
        std::string text, path, begins, ends;
    } const cases[] = {
        {"Speichern in: " + kLong, kLong, "Speichern in: /.../", "/Musik"},
        {"Datei " + file + " gespeichert.", file, "Datei /.../", "/liste.txt gespeichert."},
        {kLong, kLong, "/.../", "/Musik"},
    };
    for (const Case& c : cases) {
        StatusPanel panel;
        panel.ShowPath(c.text, c.path);
        EXPECT_EQ(panel.text().toStdString(), c.text); // not shown yet: whole
        panel.resize(panel.fontMetrics().horizontalAdvance(QString::fromStdString(c.text)) / 2, 20);
        panel.show();
        QApplication::processEvents();
        const std::string shown = panel.text().toStdString();
        EXPECT_TRUE(Fits(panel)) << shown;
        EXPECT_EQ(shown.rfind(c.begins, 0), 0u) << shown;
        EXPECT_TRUE(shown.ends_with(c.ends)) << shown;
        panel.resize(4000, 20); // wider again: whole again
        QApplication::processEvents();
        EXPECT_EQ(panel.text().toStdString(), c.text);
        panel.setText(QStringLiteral("Suche beendet."));
        panel.resize(50, 20);
        QApplication::processEvents();
        EXPECT_EQ(panel.text(), QStringLiteral("Suche beendet.")); // other texts are left alone
    }
}

TEST(StatusPanel, SaveFolderOfTheWindowFitsPanelOne) {
    TempTree tree;
    const std::string deep = tree.Folder("Listen der Sammlungen/Ablage für alle Jahre/2024/Musik");
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes};
    w.resize(500, 482);
    w.show();
    w.sjtSaveIn->SetSelectedFolder(deep);
    QApplication::processEvents();
    const std::string shown = w.StatusPanel1->text().toStdString();
    EXPECT_TRUE(Fits(*w.StatusPanel1)) << shown;
    EXPECT_EQ(shown.rfind("Speichern in: ", 0), 0u) << shown;
    EXPECT_TRUE(shown.ends_with("/Musik")) << shown;
    EXPECT_EQ(w.SaveFolder, deep);
    EXPECT_TRUE(boxes.shown.empty());
}
