#include "app/info_form.h"

#include <algorithm>

#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "app/info_texts.h"
#include "platform/memory.h"
#include "resources/qt_text.h"

namespace {
QLabel* LabelAt(QWidget* parent, int left, int top) {
    auto* label = new QLabel(parent);
    label->move(left, top);
    return label;
}
} // namespace

TInfoForm::Sources TInfoForm::ProgramSources() {
    return {&ProgramVersionBlock(), TotalPhysicalMemory(), THyperLinkLabel::OpenWithDesktop};
}

TInfoForm::TInfoForm(QWidget* owner, Sources sources)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      sources_(std::move(sources)) {
    setFixedSize(kDesignWidth, kDesignHeight);
    QFont face(QStringLiteral("Liberation Sans"), 8);
    face.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans")});
    setFont(face);
    Image1 = LabelAt(this, 8, 4);
    Image1->resize(41, 41);
    Image1->setPixmap(QIcon(QStringLiteral(":/pathquill.svg")).pixmap(41, 41));
    Image1->setScaledContents(true);
    Label4 = LabelAt(this, 58, 0);
    Label2 = LabelAt(this, 123, 0);
    Label3 = LabelAt(this, 58, 57);
    HyperLinkLabel1 = new THyperLinkLabel(this, sources_.openLink);
    HyperLinkLabel1->move(58, 85);
    Label5 = LabelAt(this, 58, 113);
    Button1 = new QPushButton(QText(255), this);
    Button1->setGeometry(0, 136, 59, 21);
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
    int right = 0;
    for (QLabel* label : {Label2, Label3, Label4, Label5, static_cast<QLabel*>(HyperLinkLabel1)}) {
        label->adjustSize();
        right = std::max(right, label->geometry().right());
    }
    // Rather wider than a text touching the edge.
    constexpr int kMargin = 4;
    setFixedSize(std::max(kDesignWidth, right + 1 + kMargin), kDesignHeight);
}

void TInfoForm::GetVersionInfo(QStringList& list) const {
    list.clear();
    for (const std::string& value : VersionInfoList(*sources_.block))
        list << QText(value);
}
