// The window in the language it was started in: widget_tests runs once under German and once
// under a British environment (widget_tests_english); the English cases skip under German.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

#include "app/help_window.h"
#include "app/info_form.h"
#include "app/qt_message_boxes.h"
#include "app/tform1.h"
#include "platform/program_file.h"
#include "platform/translations.h"
#include "resources/qt_text.h"
#include "support/scripted_message_boxes.h"

namespace {

struct Seen {
    QString where, text;
};

void Add(std::vector<Seen>& seen, const QObject* o, const QString& what, const QString& text) {
    if (!text.trimmed().isEmpty())
        seen.push_back({QString::fromLatin1(o->metaObject()->className()) + ' ' + what, text});
}

void AddMenu(std::vector<Seen>& seen, const QMenu* menu) {
    Add(seen, menu, QStringLiteral("title"), menu->title());
    for (const QAction* action : menu->actions())
        Add(seen, menu, QStringLiteral("action"), action->text());
}

// Every text a user can read in a window: captions, titles, hints, list items, the result
// list's header, the trees' first two levels (below them are the machine's own folder names).
std::vector<Seen> ReadableTexts(QWidget* window) {
    std::vector<Seen> seen;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        if (w->isWindow())
            Add(seen, w, QStringLiteral("title"), w->windowTitle());
        Add(seen, w, QStringLiteral("hint"), w->toolTip());
        Add(seen, w, QStringLiteral("name for screen readers"), w->accessibleName());
        for (const QAction* action : w->actions())
            Add(seen, w, QStringLiteral("action"), action->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            Add(seen, w, QStringLiteral("text"), b->text());
        if (auto* l = qobject_cast<QLabel*>(w))
            Add(seen, w, QStringLiteral("text"), l->text());
        if (auto* g = qobject_cast<QGroupBox*>(w))
            Add(seen, w, QStringLiteral("title"), g->title());
        if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i)
                Add(seen, w, QStringLiteral("tab"), t->tabText(i));
        if (auto* c = qobject_cast<QComboBox*>(w); c && !c->isEditable())
            for (int i = 0; i < c->count(); ++i)
                Add(seen, w, QStringLiteral("item"), c->itemText(i));
        if (auto* v = qobject_cast<QAbstractItemView*>(w); v && v->model())
            for (int i = 0; i < v->model()->columnCount(); ++i)
                Add(seen, w, QStringLiteral("header"),
                    v->model()->headerData(i, Qt::Horizontal).toString());
        if (auto* tree = qobject_cast<QTreeWidget*>(w))
            for (int i = 0; i < tree->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* top = tree->topLevelItem(i);
                Add(seen, w, QStringLiteral("entry"), top->text(0));
                for (int k = 0; k < top->childCount(); ++k)
                    Add(seen, w, QStringLiteral("entry"), top->child(k)->text(0));
            }
        if (auto* bar = qobject_cast<QMenuBar*>(w))
            for (const QAction* action : bar->actions())
                if (action->menu())
                    AddMenu(seen, action->menu());
        if (auto* browser = qobject_cast<QTextBrowser*>(w))
            for (const QString& line : browser->toPlainText().split('\n'))
                Add(seen, w, QStringLiteral("document"), line);
    }
    return seen;
}

QString Plain(QString text) {
    return text.remove('&');
}

// A text is German when it holds a letter only German has, or is (or begins with) a table text
// whose English differs.
class GermanTexts {
  public:
    GermanTexts() {
        const auto english = TranslatedMessages("en");
        for (const int number : MessageNumbers()) {
            const auto it = english.find(number);
            const QString german = Plain(QText(GermanMessageText(number))).trimmed();
            if (it != english.end() && it->second != GermanMessageText(number) &&
                german.size() >= 3)
                texts_.push_back(german);
        }
    }
    bool Holds(const QString& text) const {
        const QString plain = Plain(text).trimmed();
        if (plain.contains(QRegularExpression(QStringLiteral("[äöüÄÖÜß„]"))))
            return true;
        for (const QString& german : texts_)
            if (plain == german || plain.startsWith(german + ' ') ||
                plain.startsWith(german + ':') || plain.endsWith(' ' + german))
                return true;
        return false;
    }

  private:
    std::vector<QString> texts_;
};

void ExpectNoGerman(const std::vector<Seen>& seen) {
    const GermanTexts german;
    for (const Seen& s : seen)
        EXPECT_FALSE(german.Holds(s.text)) << s.where.toStdString() << ": " << s.text.toStdString();
}

bool Holds(const std::vector<Seen>& seen, int number) {
    return std::any_of(seen.begin(), seen.end(), [&](const Seen& s) {
        return Plain(s.text) == Plain(QText(number)) || s.text.startsWith(QText(number));
    });
}

bool English() {
    return MessageLanguage() == "en";
}

// Mnemonic letters of texts: "&Search" gives S.
QString Mnemonics(const QStringList& texts) {
    QString letters;
    for (const QString& t : texts) {
        const qsizetype at = t.indexOf('&');
        if (at >= 0 && at + 1 < t.size() && t[at + 1] != '&')
            letters += t[at + 1].toUpper();
    }
    return letters;
}

} // namespace

TEST(EnglishWindow, HoldsNoGermanText) {
    if (!English())
        GTEST_SKIP() << "runs under an English environment (widget_tests_english)";
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes};
    w.show();
    std::vector<Seen> seen;
    for (int page = 0; page < w.PageControl1->count(); ++page) {
        w.PageControl1->setCurrentIndex(page);
        QApplication::processEvents();
        const std::vector<Seen> more = ReadableTexts(&w);
        seen.insert(seen.end(), more.begin(), more.end());
    }
    // The walk reached the menus, pages, trees, status bar and the result list's header.
    for (int number : {1, 5, 10, 20, 131, 26, 138, 164, 213, 107, 301, 147, 139, 85, 323, 324})
        EXPECT_TRUE(Holds(seen, number)) << number << " " << MessageText(number);
    ExpectNoGerman(seen);

    TInfoForm info(&w);
    const std::vector<Seen> infoTexts = ReadableTexts(&info);
    EXPECT_TRUE(Holds(infoTexts, 300));
    ExpectNoGerman(infoTexts);

    HelpWindow help(&w);
    const QString helpFile =
        QText(HelpFileIn(PATHQUILL_SOURCE_DIR "/resources/", MessageLanguage()));
    ASSERT_TRUE(helpFile.endsWith(QStringLiteral("PATHQUILL.en.HLP")));
    ASSERT_TRUE(help.ShowContents(helpFile));
    const std::vector<Seen> helpTexts = ReadableTexts(&help);
    EXPECT_GT(helpTexts.size(), 20u);
    ExpectNoGerman(helpTexts);
}

TEST(EnglishWindow, MessageBoxesAskInEnglish) {
    if (!English())
        GTEST_SKIP() << "runs under an English environment (widget_tests_english)";
    QtMessageBoxes messages;
    std::vector<Seen> seen;
    QTimer::singleShot(0, [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) {
                seen = ReadableTexts(box);
                for (QAbstractButton* b : box->buttons())
                    if (b->text() == QText(202))
                        b->click();
                box->reject(); // whatever the buttons say, the box ends
            }
    });
    EXPECT_FALSE(messages.Question(Msg(30)));
    for (int number : {199, 30, 201, 202})
        EXPECT_TRUE(Holds(seen, number)) << number;
    ExpectNoGerman(seen);
}

// The room a control's caption needs; 0 for a control without one of ours.
int NeededWidth(const QWidget* c, const QComboBox* ourCombo) {
    const QFontMetrics fm(c->font());
    const auto width = [&](const QString& text) {
        return fm.size(Qt::TextShowMnemonic, text).width();
    };
    if (auto* b = qobject_cast<const QAbstractButton*>(c)) {
        if (b->text().isEmpty())
            return 0;
        if (qobject_cast<const QPushButton*>(c))
            return width(b->text()) + 6;
        return fm.horizontalAdvance(Plain(b->text())) +
               c->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
               c->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    }
    if (auto* l = qobject_cast<const QLabel*>(c); l && !l->wordWrap())
        return l->text().isEmpty() ? 0 : fm.size(0, l->text()).width();
    if (auto* g = qobject_cast<const QGroupBox*>(c))
        return g->title().isEmpty() ? 0 : width(g->title()) + 16;
    int needed = 0;
    if (c == ourCombo) // the CD drive box lists the machine's own devices
        for (int i = 0; i < ourCombo->count(); ++i)
            needed = std::max(needed, fm.horizontalAdvance(ourCombo->itemText(i)) + 24);
    return needed;
}

// Checks the shown controls below root; returns how many it checked.
int ExpectCaptionsWhole(const QWidget* root, const QComboBox* ourCombo) {
    int checked = 0;
    for (const QWidget* c : root->findChildren<QWidget*>()) {
        const int needed = NeededWidth(c, ourCombo);
        if (!c->isVisible() || needed == 0 || c->parentWidget() == nullptr)
            continue;
        ++checked;
        EXPECT_LE(needed, c->width()) << c->objectName().toStdString() << " "
                                      << c->metaObject()->className() << " @" << c->x();
        // and the caption lies within what holds the control
        EXPECT_LE(c->x() + std::min(needed, c->width()), c->parentWidget()->width())
            << c->metaObject()->className() << " @" << c->x();
    }
    return checked;
}

// Every caption fits its control, on every page and in the info dialog: nothing is cut off.
TEST(WindowTexts, EveryCaptionFitsItsControl) {
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes};
    w.show();
    int checked = 0;
    for (int page = 0; page < w.PageControl1->count(); ++page) {
        w.PageControl1->setCurrentIndex(page);
        QApplication::processEvents();
        checked += ExpectCaptionsWhole(&w, w.cbStructureSearch);
    }
    EXPECT_GT(checked, 25);
    const QTabBar* tabs = w.PageControl1->tabBar();
    const QFontMetrics fm(tabs->font());
    for (int i = 0; i < tabs->count(); ++i) {
        EXPECT_GE(tabs->tabRect(i).width(), fm.horizontalAdvance(Plain(tabs->tabText(i))) + 10)
            << tabs->tabText(i).toStdString();
        EXPECT_LE(tabs->tabRect(i).right(), tabs->width()) << tabs->tabText(i).toStdString();
    }
    TInfoForm info(&w);
    info.show();
    QApplication::processEvents();
    EXPECT_GE(ExpectCaptionsWhole(&info, nullptr), 5);
    // and no text touches the dialog's edge
    for (const QLabel* label : info.findChildren<QLabel*>())
        EXPECT_LE(label->geometry().right() + 4, info.width() - 1)
            << Plain(label->text()).toStdString();
}

// Alt and a letter reaches one command only: on the window (menus, pages, buttons) and in a menu.
TEST(WindowTexts, AcceleratorsAreUnique) {
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes};
    QStringList window;
    for (const QAction* a : w.menuBar()->actions())
        window << a->text();
    for (int i = 0; i < w.PageControl1->count(); ++i)
        window << w.PageControl1->tabText(i);
    for (const QAbstractButton* b : w.findChildren<QAbstractButton*>())
        window << b->text();
    std::vector<QStringList> groups{window};
    for (const QMenu* m : {w.mnDatei, w.mnHelpSymbol}) {
        QStringList items;
        for (const QAction* a : m->actions())
            items << a->text();
        groups.push_back(items);
    }
    for (const QStringList& group : groups) {
        QString letters = Mnemonics(group);
        EXPECT_GE(letters.size(), 2) << group.join(QStringLiteral(" | ")).toStdString();
        std::sort(letters.begin(), letters.end());
        EXPECT_EQ(std::adjacent_find(letters.begin(), letters.end()), letters.end())
            << group.join(QStringLiteral(" | ")).toStdString();
    }
}
