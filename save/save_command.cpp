// The save command, the composed file name and the Save In tree's handlers.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>

#include "app/message_boxes.h"
#include "app/tform1.h"
#include "platform/file_status.h"
#include "platform/paths.h"
#include "resources/qt_text.h"
#include "resources/strings.h"
#include "results/result_model.h"
#include "save/composed_name.h"
#include "save/file_naming.h"
#include "save/save_target.h"
#include "save/typed_length_limit.h"
#include "trees/save_in_tree.h"

void TForm1::ConnectSaveCommands() {
    connect(btnSave, &QPushButton::clicked, this, &TForm1::btnSaveClick);
    connect(mnSave, &QAction::triggered, this, &TForm1::mnSaveClick);
    connect(mnSaveIn, &QAction::triggered, this, &TForm1::mnSaveInClick);
    connect(btnAutocreateFName, &QPushButton::clicked, this, &TForm1::btnAutocreateFNameClick);
    connect(sjtSaveIn, &SaveInTree::SelectionChanged, this, &TForm1::sjtSaveInChange);
    connect(sjtSaveIn, &SaveInTree::LabelEdited, this, &TForm1::sjtSaveInEdited);
    connect(sjtSaveIn, &SaveInTree::NewFolderRequested, this, &TForm1::NewFolder1Click);
    // Text the program puts into the box may be longer; the Save command refuses it then.
    edSaveAs->setValidator(new TypedLengthLimit(*edSaveAs, int(kMaxFileNameLength)));
    ConnectExportCommands();
}

std::string TForm1::SaveFolderText() const {
    return Msg(117) + " " + SaveFolder;
}

void TForm1::btnSaveClick() {
    SaveFolder = sjtSaveIn->SelectedFolder();
    StatusPanel1->setText(QText(SaveFolderText()));
    StatusPanel0->clear();
    const auto target = ChooseSaveTarget(std::size_t(Results->rowCount()),
                                         edSaveAs->text().toStdString(), SaveFolder, messages_);
    if (target)
        WriteFile(*target);
}

void TForm1::mnSaveClick() {
    btnSaveClick();
}

void TForm1::mnSaveInClick() {
    PageControl1->setCurrentWidget(tsSaveIn);
}

void TForm1::btnAutocreateFNameClick() {
    const auto status = [this](const std::string& left, const std::string& right) {
        StatusPanel0->setText(QText(left));
        StatusPanel1->setText(QText(right));
    };
    const auto composed = ComposeFileName(SearchTarget, LookForText(), messages_, status);
    if (!composed)
        return;
    if (composed->unlabelledDriveRoot)
        CheckandReturnDriveRootFileName(composed->name);
    else
        CheckandReturnFileName(composed->name);
}

// A different name in the box is replaced only on Ja; the question stands above the
// command panel.
bool TForm1::MayReplaceFileName(const std::string& name) {
    const QString shown = edSaveAs->text();
    if (shown.isEmpty() || shown == QText(name))
        return true;
    const QWidget* commandPanel = btnAutocreateFName->parentWidget();
    const int top = commandPanel->mapTo(Splitter2->parentWidget(), QPoint()).y();
    return messages_.QuestionAt(Msg(15), x() + 10, top - 80);
}

void TForm1::CheckandReturnFileName(const std::string& name) {
    if (!MayReplaceFileName(name))
        return;
    edSaveAs->setText(QText(name));
    StatusPanel1->setText(QText(SaveFolderText()));
}

void TForm1::CheckandReturnDriveRootFileName(const std::string& name) {
    if (!MayReplaceFileName(name))
        return;
    edSaveAs->setText(QText(name));
    StatusPanel0->setText(QText(117));
    StatusPanel1->setText(QText(SaveFolder));
}

void TForm1::sjtSaveInChange(const std::string& path) {
    sjtSaveIn->Refresh(path);
    SaveFolder = paths::WithoutTrailingSeparator(path);
    StatusPanel1->setText(QText(SaveFolderText()));
}

void TForm1::sjtSaveInEdited(const std::string&, const std::string& newText) {
    StatusPanel1->setText(QText(Msg(190) + ": " + newText));
}

void TForm1::NewFolder1Click() {
    const std::string parent = sjtSaveIn->SelectedFolder();
    if (parent.empty())
        return;
    if (files::IsFolder(paths::Join(parent, MessageText(75)))) {
        messages_.Information(Msg(93) + " " + Msg(112) + ".");
        return;
    }
    sjtSaveIn->CreateNewFolder(parent, Msg(75));
}
