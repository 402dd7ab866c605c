#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>

#include "app/help_window.h"
#include "app/tform1.h"
#include "support/scripted_message_boxes.h"
#include "support/xdg_sandbox.h"

namespace {
const std::string kHelpFile = std::string(PATHQUILL_SOURCE_DIR) + "/resources/PATHQUILL.HLP";

// Counts the F1 presses that reach a control.
class F1Counter : public QObject {
  public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1)
            ++count;
        return false;
    }
};

// Where a section's heading stands in the viewer's visible area; -1 when out of view.
int HeadingInView(const QTextBrowser& browser, const QString& heading) {
    const QTextDocument& document = *browser.document();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.text() != heading || block.blockFormat().headingLevel() != 2)
            continue;
        const int y = static_cast<int>(document.documentLayout()->blockBoundingRect(block).top()) -
                      browser.verticalScrollBar()->value();
        return y >= 0 && y < browser.viewport()->height() ? y : -1;
    }
    return -1;
}

void PressF1(QWidget* target) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

struct Window {
    XdgSandbox sandbox;
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes, sandbox.Setup("/opt/pq/pathquill")};
    explicit Window(const std::string& helpFile = kHelpFile) {
        w.HelpFile = helpFile;
        w.show();
    }
};
} // namespace

// F1 asks for the topic of the page shown, and the help file has a section for each.
TEST(Help, F1OpensTheTopicOfThePageShown) {
    Window window;
    TForm1& w = window.w;
    const char* topics[] = {"Suchen in", "Optionen", "Speichern unter", "Einstellungen"};
    int lastPosition = -1;
    for (int page = 0; page < 4; ++page) {
        w.PageControl1->setCurrentIndex(page);
        w.PageControl1->currentWidget()->setFocus();
        PressF1(w.PageControl1->currentWidget());
        ASSERT_NE(w.HelpViewer(), nullptr);
        EXPECT_TRUE(w.HelpViewer()->isVisible());
        EXPECT_EQ(w.HelpViewer()->CurrentTopic().toStdString(), topics[page]);
        QApplication::processEvents();
        const QTextBrowser& browser = *w.HelpViewer()->Browser();
        EXPECT_GE(HeadingInView(browser, QString::fromUtf8(topics[page])), 0) << topics[page];
        // The sections follow one another in the file; each jump lands further down.
        const int position = browser.verticalScrollBar()->value();
        EXPECT_GT(position, lastPosition) << topics[page];
        lastPosition = position;
    }
    EXPECT_TRUE(window.boxes.shown.empty());
}

TEST(Help, F1StillReachesTheFocusedControlOnce) {
    Window window;
    TForm1& w = window.w;
    F1Counter counter;
    w.cbLookfor->installEventFilter(&counter);
    w.cbLookfor->setFocus();
    PressF1(w.cbLookfor);
    EXPECT_EQ(counter.count, 1);
    ASSERT_NE(w.HelpViewer(), nullptr);
    EXPECT_EQ(w.HelpViewer()->CurrentTopic().toStdString(), "Suchen in");

    // Other keys pass through without help.
    w.HelpViewer()->close();
    QKeyEvent other(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(w.cbLookfor, &other);
    EXPECT_FALSE(w.HelpViewer()->isVisible());
}

TEST(Help, TopicsCommandShowsTheContents) {
    Window window;
    TForm1& w = window.w;
    w.mnHelpTopics->trigger();
    ASSERT_NE(w.HelpViewer(), nullptr);
    EXPECT_TRUE(w.HelpViewer()->isVisible());
    EXPECT_TRUE(w.HelpViewer()->CurrentTopic().isEmpty());
    EXPECT_EQ(w.HelpViewer()->Browser()->verticalScrollBar()->value(), 0);
    const QString text = w.HelpViewer()->Browser()->toPlainText();
    for (const char* topic : {"Suchen in", "Optionen", "Speichern unter", "Einstellungen"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(topic))) << topic;
    EXPECT_EQ(w.HelpViewer()->windowTitle().toStdString(), "Pathquill – Hilfe");
}

TEST(Help, MissingHelpFile) {
    TempTree tree;
    const std::string missing = tree.Path("PATHQUILL.HLP");
    Window window(missing);
    TForm1& w = window.w;
    w.mnHelpTopicsClick(); // does nothing at all
    EXPECT_EQ(w.HelpViewer(), nullptr);
    EXPECT_TRUE(window.boxes.shown.empty());

    PressF1(w.focusWidget() ? w.focusWidget() : &w); // the viewer tells what it cannot find
    ASSERT_NE(w.HelpViewer(), nullptr);
    EXPECT_TRUE(w.HelpViewer()->CurrentTopic().isEmpty());
    EXPECT_EQ(w.HelpViewer()->Browser()->toPlainText().toStdString(),
              "Die Hilfedatei " + missing + " wurde nicht gefunden.");
    EXPECT_TRUE(window.boxes.shown.empty());
}

TEST(Help, ClosingTheMainWindowClosesTheHelpWindow) {
    Window window;
    TForm1& w = window.w;
    w.mnHelpTopicsClick();
    ASSERT_NE(w.HelpViewer(), nullptr);
    ASSERT_TRUE(w.HelpViewer()->isVisible());
    w.close();
    EXPECT_FALSE(w.HelpViewer()->isVisible());
}
