#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include "app/qt_message_boxes.h"
#include "app/tform1.h"
#include "results/result_model.h"
#include "save/file_naming.h"
#include "support/scripted_message_boxes.h"
#include "support/temp_tree.h"
#include "system/drives.h"
#include "trees/look_in_tree.h"
#include "trees/save_in_tree.h"

namespace {

using Box = ScriptedMessageBoxes::Shown;

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string Panel(const QLabel* panel) {
    return panel->text().toStdString();
}

// Key presses as the user types them.
void Type(QWidget* box, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
}

void PressBackspace(QWidget* box) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(box, &press);
}

// A window whose saves are not refused because the test's temporary folder may be a RAM disk.
struct Window {
    ScriptedMessageBoxes boxes;
    TForm1 form{boxes};
    Window() {
        form.DriveTypeOfSaveTarget = [](const std::string&) { return std::string("Harddisk"); };
    }
    void Search(const std::string& folder, const std::string& mask) {
        ASSERT_TRUE(form.stLookIn->SelectPath(folder));
        form.cbLookfor->setEditText(QString::fromStdString(mask));
        form.btnSearch->click();
        QElapsedTimer timer;
        timer.start();
        while (form.btnCancel->isEnabled() && timer.elapsed() < 20000)
            QApplication::processEvents();
        ASSERT_FALSE(form.btnCancel->isEnabled()) << "search did not end";
    }
};

} // namespace

// Search, sort, pick the folder in the Save In tree, type the name, save, read the file back.
TEST(SaveCommandWindow, SearchSortAndSaveAsCsv) {
    TempTree tree;
    tree.File("in/b.txt", 2048);
    tree.File("in/a.txt", 1024);
    tree.File("in/c.txt", 3072);
    const std::string out = tree.Folder("Listen");
    Window w;
    w.form.ckbShowSize->setChecked(true);
    w.Search(tree.Path("in"), "*.txt");
    ASSERT_EQ(w.form.Results->rowCount(), 3);
    w.form.ListView1ColumnClick(1); // size, first click: largest first

    w.form.mnSaveInClick();
    EXPECT_EQ(w.form.PageControl1->currentWidget(), w.form.tsSaveIn);
    w.form.sjtSaveIn->SetSelectedFolder(out);
    EXPECT_EQ(Panel(w.form.StatusPanel1), "Speichern in: " + out);
    w.form.edSaveAs->setFocus();
    Type(w.form.edSaveAs, QStringLiteral("liste.csv"));
    ASSERT_EQ(w.form.edSaveAs->text(), QStringLiteral("liste.csv"));
    w.form.btnSave->click();

    const std::string file = out + "/liste.csv";
    EXPECT_EQ(Read(file), "\"Datei\";\"Größe\";\"Einheit\"\r\n\"" + tree.Path("in/c.txt") +
                              "\";\"3.072\";\"Byte\"\r\n\"" + tree.Path("in/b.txt") +
                              "\";\"2.048\";\"Byte\"\r\n\"" + tree.Path("in/a.txt") +
                              "\";\"1.024\";\"Byte\"\r\n");
    EXPECT_EQ(Panel(w.form.StatusPanel0), "");
    EXPECT_EQ(Panel(w.form.StatusPanel1), "Datei " + file + " gespeichert.");
    EXPECT_TRUE(w.boxes.shown.empty());

    // Saving again asks first; Nein leaves the file and shows the save folder, Ja replaces it.
    const std::string bySize = Read(file);
    w.form.ListView1ColumnClick(0);
    w.boxes.answers = {false, true};
    w.form.mnSaveClick();
    const Box overwrite{"Question", "Datei ist bereits vorhanden. Überschreiben?"};
    EXPECT_EQ(w.boxes.shown, std::vector<Box>{overwrite});
    EXPECT_EQ(Read(file), bySize);
    EXPECT_EQ(Panel(w.form.StatusPanel1), "Speichern in: " + out);
    EXPECT_EQ(w.form.edSaveAs->text(), QStringLiteral("liste.csv"));
    w.form.btnSave->click();
    EXPECT_EQ(w.boxes.shown, (std::vector<Box>{overwrite, overwrite}));
    const std::string byName = Read(file);
    EXPECT_NE(byName, bySize);
    EXPECT_EQ(byName.find(tree.Path("in/a.txt")), bySize.find(tree.Path("in/c.txt")));
}

// The box takes at most 80 typed characters, but keeps a longer text the program puts there.
TEST(SaveCommandWindow, FileNameBoxLimitsOnlyWhatIsTyped) {
    Window w;
    QLineEdit* box = w.form.edSaveAs;
    box->setFocus();
    Type(box, QString(85, QLatin1Char('a')));
    EXPECT_EQ(box->text().size(), 80);
    box->clear();
    Type(box, QString(79, QLatin1Char('a')) + QStringLiteral("ää"));
    EXPECT_EQ(box->text(), QString(79, QLatin1Char('a')) + QStringLiteral("ä"));

    const QString composed = QString(90, QLatin1Char('b'));
    box->setText(composed);
    EXPECT_EQ(box->text(), composed);
    box->end(false);
    Type(box, QStringLiteral("x"));
    EXPECT_EQ(box->text(), composed); // no typing beyond the limit
    PressBackspace(box);
    EXPECT_EQ(box->text().size(), 89); // but it can be shortened
    box->insert(QString(5, QLatin1Char('c')));
    EXPECT_EQ(box->text().size(), 89);
}

TEST(SaveCommandWindow, ComposedNameIsOfferedAndSaved) {
    TempTree tree;
    tree.File("Tools/setup.exe", 10);
    const std::string out = tree.Folder("Listen");
    Window w;
    w.Search(tree.Path("Tools"), "*.exe");
    ASSERT_TRUE(w.form.btnAutocreateFName->isEnabled());
    w.form.sjtSaveIn->SetSelectedFolder(out);
    w.form.StatusPanel1->setText(QStringLiteral("vorher"));

    std::string expected = tree.Path("Tools") + "_exe.txt";
    TransformComposedName(expected);
    w.form.btnAutocreateFName->click();
    EXPECT_EQ(w.form.edSaveAs->text().toStdString(), expected);
    EXPECT_EQ(Panel(w.form.StatusPanel1), "Speichern in: " + out);
    w.form.btnAutocreateFName->click(); // the same name: no question
    EXPECT_TRUE(w.boxes.shown.empty());

    // A different name in the box: asked above the command panel; Nein changes nothing.
    w.form.edSaveAs->setText(QStringLiteral("anders.txt"));
    w.form.StatusPanel1->setText(QStringLiteral("vorher"));
    w.boxes.answers = {false, true};
    w.form.btnAutocreateFName->click();
    EXPECT_EQ(w.form.edSaveAs->text(), QStringLiteral("anders.txt"));
    EXPECT_EQ(Panel(w.form.StatusPanel1), "vorher");
    w.form.btnAutocreateFName->click();
    EXPECT_EQ(w.form.edSaveAs->text().toStdString(), expected);
    const Box question{"Question", "Angezeigten Dateinamen überschreiben?"};
    EXPECT_EQ(w.boxes.shown, (std::vector<Box>{question, question}));
    const QWidget* commandPanel = w.form.btnAutocreateFName->parentWidget();
    const int top = commandPanel->mapTo(w.form.Splitter2->parentWidget(), QPoint()).y();
    ASSERT_EQ(w.boxes.questionPositions.size(), 2u);
    EXPECT_EQ(w.boxes.questionPositions[0], std::make_pair(w.form.x() + 10, top - 80));

    w.boxes.shown.clear();
    w.form.btnSave->click();
    EXPECT_TRUE(w.boxes.shown.empty());
    EXPECT_EQ(Read(out + "/" + expected), "Datei\r\n" + tree.Path("Tools/setup.exe") + "\r\n");
}

// Every composed name is offered whole; one longer than 80 characters is refused on saving.
TEST(SaveCommandWindow, ComposedNamesAndTheirSave) {
    TempTree tree;
    const std::string deep = tree.Folder(std::string(40, 'd') + "/" + std::string(40, 'e'));
    tree.File(std::string(40, 'd') + "/" + std::string(40, 'e') + "/x.txt", 1);
    const std::string out = tree.Folder("Listen");
    Window w;
    w.Search(deep, "*.txt");
    w.form.sjtSaveIn->SetSelectedFolder(out);
    w.form.btnAutocreateFName->click();
    const std::string offered = w.form.edSaveAs->text().toStdString();
    EXPECT_GT(offered.size(), kMaxFileNameLength);
    EXPECT_EQ(offered.substr(offered.size() - 8), "_txt.txt");
    w.form.btnSave->click();
    EXPECT_EQ(w.boxes.shown,
              (std::vector<Box>{
                  {"Error", "Eingegebener Dateiname ist zu lang. Nur 80 Zeichen sind erlaubt."}}));

    // All drives keep the "?" of the mask, which the Save command then refuses.
    w.boxes.shown.clear();
    w.form.SearchTarget = "AllDrives";
    w.form.cbLookfor->setEditText(QStringLiteral("te?t.doc"));
    w.boxes.answers = {true};
    w.form.btnAutocreateFName->click();
    EXPECT_EQ(w.form.edSaveAs->text(), QStringLiteral("Alle_LW_te?t.doc.txt"));
    w.form.btnSave->click();
    EXPECT_EQ(w.boxes.shown.back(),
              (Box{"Error", "Überprüfung des Dateinamens ist fehlgeschlagen."}));

    // A folder that has gone since the search.
    w.boxes.shown.clear();
    w.form.SearchTarget = tree.Path("weg");
    w.form.btnAutocreateFName->click();
    EXPECT_EQ(w.boxes.shown, (std::vector<Box>{{"Error", "Ausgewählter Ordner existiert nicht."}}));
    EXPECT_EQ(w.form.edSaveAs->text(), QStringLiteral("Alle_LW_te?t.doc.txt"));

    // The root: with a volume label its name, without one the separate status texts.
    w.boxes.shown.clear();
    w.form.SearchTarget = "/";
    w.form.cbLookfor->setEditText(QString());
    w.form.edSaveAs->clear();
    w.form.StatusPanel0->setText(QStringLiteral("links"));
    w.form.btnAutocreateFName->click();
    const VolumeInfo root = GetVolumeInfo("/");
    ASSERT_TRUE(root.ok);
    std::string name = root.label.empty() ? "/unbekannt.txt" : root.label + "//unbekannt.txt";
    EXPECT_EQ(w.form.edSaveAs->text().toStdString(), TransformComposedName(name));
    EXPECT_EQ(Panel(w.form.StatusPanel0), root.label.empty() ? "Speichern in:" : "links");
    EXPECT_EQ(Panel(w.form.StatusPanel1), root.label.empty() ? out : "Speichern in: " + out);
    EXPECT_TRUE(w.boxes.shown.empty());
}

TEST(SaveCommandWindow, SaveInTreeHandlers) {
    TempTree tree;
    const std::string out = tree.Folder("Listen");
    Window w;
    w.form.sjtSaveIn->SetSelectedFolder(out);
    EXPECT_EQ(w.form.SaveFolder, out);
    EXPECT_EQ(Panel(w.form.StatusPanel1), "Speichern in: " + out);

    Q_EMIT w.form.sjtSaveIn->LabelEdited(out, "Briefe");
    EXPECT_EQ(Panel(w.form.StatusPanel1), "Neuer Ordnername: Briefe");
    EXPECT_EQ(w.form.SaveFolder, out);

    Q_EMIT w.form.sjtSaveIn->NewFolderRequested();
    EXPECT_TRUE(IsFolder(out + "/Neuer Ordner"));
    EXPECT_TRUE(w.boxes.shown.empty());
    w.form.sjtSaveIn->SetSelectedFolder(out);
    w.form.NewFolder1Click();
    EXPECT_EQ(w.boxes.shown, (std::vector<Box>{{"Information", "Ordner ist bereits vorhanden."}}));

    // The computer entry names no folder: no new folder, and a plain name has nowhere to go.
    w.boxes.shown.clear();
    w.form.sjtSaveIn->SetSelectedFolder("");
    EXPECT_EQ(w.form.SaveFolder, "");
    EXPECT_EQ(Panel(w.form.StatusPanel1), "Speichern in: ");
    w.form.NewFolder1Click();
    EXPECT_TRUE(w.boxes.shown.empty());
}

// The Save command's first steps and the writer's own refusal, from the button and the menu.
TEST(SaveCommandWindow, RefusalsLeaveTheSaveFolderInTheStatusBar) {
    TempTree tree;
    tree.File("in/a.txt", 1);
    const std::string out = tree.Folder("Listen");
    tree.Folder("Listen/ordner.txt");
    Window w;
    w.form.sjtSaveIn->SetSelectedFolder(out);
    w.form.edSaveAs->setText(QStringLiteral("liste.txt"));
    w.form.StatusPanel0->setText(QStringLiteral("links"));
    w.form.mnSave->trigger();
    EXPECT_EQ(w.boxes.shown,
              (std::vector<Box>{{"Error", "Ergebnisanzeige ist leer, Speichern nicht möglich."}}));
    EXPECT_EQ(Panel(w.form.StatusPanel0), "");
    EXPECT_EQ(Panel(w.form.StatusPanel1), "Speichern in: " + out);

    w.Search(tree.Path("in"), "*.txt");
    w.boxes.shown.clear();
    w.form.edSaveAs->clear();
    w.form.btnSave->click();
    EXPECT_EQ(w.boxes.shown.back().kind, "Information");
    EXPECT_EQ(w.boxes.shown.back().text,
              "Der Name für die zu speichernde Datei fehlt. Geben Sie bitte einen Namen ein.");

    // A folder under the typed name goes to the writer, which cannot replace it.
    w.boxes.shown.clear();
    w.form.edSaveAs->setText(QStringLiteral("ordner.txt"));
    w.form.btnSave->click();
    EXPECT_EQ(
        w.boxes.shown,
        (std::vector<Box>{{"Error", "Datei geöffnet oder Objekt zum Speichern ungeeignet!"}}));
    EXPECT_TRUE(IsFolder(out + "/ordner.txt"));
}

// The question box stands where it is asked to, with the program's title and buttons.
TEST(SaveCommandWindow, PlacedQuestionBox) {
    QWidget owner;
    QtMessageBoxes boxes(&owner);
    QPoint where;
    QString title;
    QStringList buttons;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        where = box->pos();
        title = box->windowTitle();
        for (QAbstractButton* b : box->buttons())
            buttons << b->text();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == QStringLiteral("&Nein"))
                b->click();
    });
    poll.start(5);
    EXPECT_FALSE(boxes.QuestionAt("Angezeigten Dateinamen überschreiben?", 123, 211));
    EXPECT_EQ(where, QPoint(123, 211));
    EXPECT_EQ(title, QStringLiteral("Bestätigung"));
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein")}));
}
