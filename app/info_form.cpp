#include "app/info_form.h"

#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <cmath>

#include "app/info_texts.h"
#include "platform/memory.h"
#include "resources/qt_text.h"

namespace {
// The designed outer width less the client width: the frame the button is centred with.
constexpr int kFrameWidth = 282 - 268;
} // namespace

TInfoForm::Sources TInfoForm::ProgramSources() {
    return {&ProgramVersionBlock(), TotalPhysicalMemory(), THyperLinkLabel::OpenWithDesktop};
}

TInfoForm::TInfoForm(QWidget* owner, Sources sources)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      sources_(std::move(sources)) {
    Image1 = new QLabel(this);
    Image1->setScaledContents(true);
    design_.Place(Image1, {8, 4, 41, 41});
    Label4 = new QLabel(this);
    design_.Place(Label4, {58, 0, 0, 0});
    Label2 = new QLabel(this);
    design_.Place(Label2, {123, 0, 0, 0});
    design_.After(Label2, {Label4}, 4);
    Label3 = new QLabel(this);
    design_.Place(Label3, {58, 57, 0, 0});
    design_.Below(Label3, Image1, 8);
    HyperLinkLabel1 = new THyperLinkLabel(this, sources_.openLink);
    design_.Place(HyperLinkLabel1, {58, 85, 0, 0});
    design_.Below(HyperLinkLabel1, Label3, 2);
    Label5 = new QLabel(this);
    design_.Place(Label5, {58, 113, 0, 0});
    design_.Below(Label5, HyperLinkLabel1, 2);
    Button1 = new QPushButton(QText(255), this);
    design_.Place(Button1, {0, 136, 59, 21});
    design_.Below(Button1, Label5, 2);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    FormCreate();
}

void TInfoForm::FormCreate() {
    const InfoTexts texts = InfoDialogTexts(*sources_.block, sources_.physicalMemoryBytes);
    Label5->setText(QText(texts.memory));
    Label2->setText(QText(texts.version));
    Label3->setText(QText(texts.legalNotice));
    Label4->setText(QText(texts.productName));
    HyperLinkLabel1->setText(QText(kMakerAddress));
    PlaceControls();
}

// The design's sizes hold for an 8-point face; the desktop's font makes the dialog larger, and
// it is never smaller than its texts need.
void TInfoForm::PlaceControls() {
    Image1->clear(); // an icon drawn for another size would hold the box at that size
    design_.Apply(font());
    const DesignScale& s = design_.Scale();
    Image1->setPixmap(QIcon(QStringLiteral(":/pathquill.svg")).pixmap(Image1->size()));
    const QRect used = design_.ChildrenArea(this);
    setFixedSize(
        s.Size(268, 158).expandedTo({used.right() + 1 + s.X(8), used.bottom() + 1 + s.Y(1)}));
    if (buttonPlaced_)
        PlaceButton();
}

// Centred on the outer width, as the dialog was designed: a little right of the middle.
void TInfoForm::PlaceButton() {
    buttonPlaced_ = true;
    const double left = (width() + kFrameWidth) / 2.0 - Button1->width() / 2.0;
    Button1->move(static_cast<int>(std::nearbyint(left)), Button1->y());
}

void TInfoForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange && Button1)
        PlaceControls();
    QDialog::changeEvent(event);
}

void TInfoForm::GetVersionInfo(QStringList& list) const {
    list.clear();
    for (const std::string& value : VersionInfoList(*sources_.block))
        list << QText(value);
}

// In the middle of the screen, not over the main window as a dialog would stand by itself.
void TInfoForm::showEvent(QShowEvent* event) {
    const QWidget* owner = parentWidget();
    if (const QScreen* s = owner ? owner->screen() : screen()) {
        QRect outer = frameGeometry();
        outer.moveCenter(s->availableGeometry().center());
        move(outer.topLeft());
    }
    QDialog::showEvent(event);
}
