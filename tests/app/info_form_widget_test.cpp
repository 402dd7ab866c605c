#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <sys/sysinfo.h>

#include "app/design_layout.h"
#include "app/info_form.h"
#include "app/info_texts.h"
#include "app/tform1.h"
#include "support/scripted_message_boxes.h"
#include "support/xdg_sandbox.h"

namespace {
std::string Text(const QLabel* label) {
    return label->text().toStdString();
}

constexpr const char* kLegal = "StringFileInfo\\040704E4\\LegalCopyright";

VersionBlock Without(const std::string& name) {
    VersionBlock block = ProgramVersionBlock();
    block.strings.erase("StringFileInfo\\040704E4\\" + name);
    return block;
}

TInfoForm::Sources From(const VersionBlock& block, std::uint64_t memory = 1 << 30) {
    return {&block, memory, [](const QString&) {}};
}

QStringList VersionList(const TInfoForm& form) {
    QStringList list{QStringLiteral("left over")};
    form.GetVersionInfo(list);
    return list;
}
} // namespace

TEST(InfoForm, ShowsTheProgramsOwnVersionBlock) {
    const std::string legal = ProgramVersionBlock().strings.at(kLegal);
    EXPECT_NE(legal.find("Pathquill"), std::string::npos);
    TInfoForm form(nullptr);
    EXPECT_EQ(Text(form.Label4), "Pathquill");
    EXPECT_EQ(Text(form.Label2), "v. 2.0.0.5");
    EXPECT_EQ(Text(form.Label3), legal);
    EXPECT_EQ(Text(form.HyperLinkLabel1), kMakerAddress);
    EXPECT_EQ(VersionList(form),
              (QStringList{"2.0.0.5", QString::fromStdString(legal), "Pathquill", "2"}));
    EXPECT_FALSE(form.Image1->pixmap().isNull());
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
}

// The dialog speaks the desktop's font like the other windows; at the 8-point face of the
// design everything stands where it was drawn, at larger faces it grows and no text is cut.
TEST(InfoForm, DesktopFontAndEveryTextWholeAtAnySize) {
    TInfoForm desktop(nullptr);
    EXPECT_EQ(desktop.font(), QApplication::font());
    QFont design(QStringLiteral("Liberation Sans"), 8);
    design.setFamilies({QStringLiteral("Liberation Sans")});
    QFont large = QApplication::font();
    large.setPointSize(16);
    for (const QFont& font : {design, QApplication::font(), large}) {
        TInfoForm form(nullptr);
        form.setFont(font); // as when the desktop's font changes
        form.PlaceButton();
        const DesignScale s = DesignScale::Of(font);
        const std::string at = font.toString().toStdString();
        if (font == design) { // the face it was drawn in: where it was drawn, a long notice aside
            EXPECT_EQ(form.height(), 158) << at;
            EXPECT_LE(form.width(), 268 + 8) << at;
            EXPECT_EQ(form.Label2->pos(), QPoint(123, 0)) << at;
            EXPECT_EQ(form.Label3->pos(), QPoint(58, 57)) << at;
            EXPECT_EQ(form.HyperLinkLabel1->pos(), QPoint(58, 85)) << at;
            EXPECT_EQ(form.Label5->pos(), QPoint(58, 113)) << at;
            EXPECT_EQ(form.Button1->y(), 136) << at;
            EXPECT_EQ(form.Button1->height(), 21) << at; // as wide as the style wants "OK"
        }
        EXPECT_EQ(form.Image1->geometry(), QRect(s.X(8), s.Y(4), s.X(41), s.Y(41))) << at;
        EXPECT_EQ(form.Label4->pos(), QPoint(s.X(58), 0)) << at;
        EXPECT_EQ(form.Label2->y(), 0) << at; // "Pathquill v. 2.0.0.5" on one line
        EXPECT_LT(form.Label4->geometry().right(), form.Label2->x()) << at;
        EXPECT_GE(form.width(), s.X(268)) << at;
        EXPECT_GE(form.height(), s.Y(158)) << at;
        EXPECT_EQ(form.minimumSize(), form.maximumSize()) << at;
        const QWidget* column[] = {form.Label4, form.Label3, form.HyperLinkLabel1, form.Label5,
                                   form.Button1};
        for (std::size_t i = 0; i < std::size(column); ++i) {
            const QWidget* w = column[i];
            EXPECT_TRUE(form.rect().contains(w->geometry())) << at << " " << i;
            EXPECT_GE(w->width(), w->sizeHint().width()) << at << " " << i;
            EXPECT_GE(w->height(), w->sizeHint().height()) << at << " " << i;
            if (i > 0) {
                EXPECT_GT(w->y(), column[i - 1]->geometry().bottom()) << at << " " << i;
            }
        }
        // The button stands a little right of the middle, as on the designed outer width.
        const int middle = form.Button1->geometry().center().x() - form.width() / 2;
        EXPECT_GE(middle, 6) << at;
        EXPECT_LE(middle, 8) << at;
    }
}

// A missing value leaves its own line empty; the later values do not move into wrong lines.
TEST(InfoForm, BlockLackingAValue) {
    const std::string legal = ProgramVersionBlock().strings.at(kLegal);
    struct Case {
        const char* missing;
        const char *product, *version;
        std::string legal;
        QStringList list;
    } const cases[] = {
        {"FileVersion", "Pathquill", "", legal, {QString::fromStdString(legal), "Pathquill", "2"}},
        {"LegalCopyright", "Pathquill", "v. 2.0.0.5", "", {"2.0.0.5", "Pathquill", "2"}},
        {"ProductName", "", "v. 2.0.0.5", legal, {"2.0.0.5", QString::fromStdString(legal), "2"}},
        {"ProductVersion",
         "Pathquill",
         "v. 2.0.0.5",
         legal,
         {"2.0.0.5", QString::fromStdString(legal), "Pathquill"}},
    };
    for (const Case& c : cases) {
        const VersionBlock block = Without(c.missing);
        TInfoForm form(nullptr, From(block));
        EXPECT_EQ(Text(form.Label4), c.product) << c.missing;
        EXPECT_EQ(Text(form.Label2), c.version) << c.missing;
        EXPECT_EQ(Text(form.Label3), c.legal) << c.missing;
        EXPECT_EQ(VersionList(form), c.list) << c.missing;
    }
    VersionBlock noTranslation = ProgramVersionBlock();
    noTranslation.translations.clear();
    TInfoForm form(nullptr, From(noTranslation));
    EXPECT_TRUE(VersionList(form).isEmpty());
    for (const QLabel* label : {form.Label2, form.Label3, form.Label4})
        EXPECT_EQ(Text(label), "");
    EXPECT_FALSE(Text(form.Label5).empty());
}

TEST(InfoForm, MemoryLineInWholeKilobytesWithoutSeparators) {
    struct Case {
        std::uint64_t bytes;
        const char* line;
    } const cases[] = {
        {0, "Phys. Speicher: 0 KB"},
        {1023, "Phys. Speicher: 0 KB"},
        {1025, "Phys. Speicher: 1 KB"},
        {16ull * 1024 * 1024 * 1024 + 1023, "Phys. Speicher: 16777216 KB"},
        {1ull << 42, "Phys. Speicher: 4294967296 KB"}, // past 32 bits
    };
    for (const Case& c : cases)
        EXPECT_EQ(MemoryLine(c.bytes), c.line);

    struct sysinfo info {};
    ASSERT_EQ(::sysinfo(&info), 0);
    const std::uint64_t kilobytes = std::uint64_t{info.totalram} * info.mem_unit / 1024;
    TInfoForm form(nullptr);
    EXPECT_EQ(Text(form.Label5), "Phys. Speicher: " + std::to_string(kilobytes) + " KB");
}

TEST(InfoForm, LinkLabelLooksLikeALinkWhileHoveredAndOpensOnClick) {
    const VersionBlock& block = ProgramVersionBlock();
    QStringList opened;
    TInfoForm form(nullptr, {&block, 0, [&](const QString& address) { opened << address; }});
    THyperLinkLabel* link = form.HyperLinkLabel1;
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    const QFont restingFont = link->font();
    const QColor restingColour = link->palette().color(QPalette::WindowText);

    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(link, &enter);
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link, &leave);
    EXPECT_EQ(link->font(), restingFont);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), restingColour);

    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(link, &click);
    }
    EXPECT_EQ(opened, QStringList{QString::fromUtf8(kMakerAddress)});
}

// The command shows the dialog modally in the middle of the screen, wherever the main window
// stands; the check runs while it is open.
TEST(InfoForm, InfoCommandShowsTheDialogModallyCentredOnTheScreen) {
    XdgSandbox sandbox;
    ScriptedMessageBoxes boxes;
    TForm1 w{boxes, sandbox.Setup("/opt/pq/pathquill")};
    w.show();
    w.move(w.screen()->availableGeometry().topLeft());
    QApplication::processEvents();
    ASSERT_NE(w.frameGeometry().center(), w.screen()->availableGeometry().center());
    bool seen = false;
    bool helpAfterF1 = true;
    QTimer poll;
    QElapsedTimer waited;
    waited.start();
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        if (waited.elapsed() > 30000 && QApplication::activeModalWidget()) {
            QApplication::activeModalWidget()->close(); // never hang on a box nobody expected
            return;
        }
        auto* dialog = qobject_cast<TInfoForm*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll.stop();
        seen = true;
        EXPECT_EQ(dialog->windowTitle().toStdString(), "Info über Pathquill");
        EXPECT_EQ(dialog->parentWidget(), &w);
        const QPoint off =
            dialog->frameGeometry().center() - w.screen()->availableGeometry().center();
        EXPECT_LE(off.manhattanLength(), 1) << off.x() << "," << off.y();
        const int middle = dialog->Button1->geometry().center().x() - dialog->width() / 2;
        EXPECT_TRUE(middle >= 6 && middle <= 8) << middle; // centred on the outer width
        EXPECT_EQ(dialog->Button1->text(), "OK");
        EXPECT_FALSE(dialog->windowFlags() & Qt::WindowCloseButtonHint);
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(dialog->Button1, &f1); // the dialog handles no keys
        helpAfterF1 = w.HelpViewer() != nullptr;
        dialog->reject(); // closed by the system counts as OK
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
    });
    poll.start(10);
    w.mnInfoClick();
    EXPECT_TRUE(seen);
    EXPECT_FALSE(helpAfterF1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
