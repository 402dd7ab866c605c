// The window side of a search: checks, start, cancel and the end report.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <cstdlib>

#include "app/kept_bytes.h"
#include "app/message_boxes.h"
#include "app/tform1.h"
#include "platform/paths.h"
#include "resources/qt_text.h"
#include "resources/strings.h"
#include "results/result_list_view.h"
#include "results/result_model.h"
#include "search/minimize_name.h"
#include "search/name_filter.h"
#include "search/search_control_logic.h"
#include "search/search_runner.h"
#include "system/drives.h"
#include "trees/look_in_tree.h"

namespace {
bool On(const QCheckBox* box) { return box->isChecked() && box->isEnabled(); }
} // namespace

std::string TForm1::LookForText() const { return EditBytesOf(*cbLookfor); }

void TForm1::SetLookForText(const std::string& text) {
    const QSignalBlocker block(cbLookfor);
    ShowEditBytes(*cbLookfor, text);
}

void TForm1::SetCommandButtons(bool search, bool cancel, bool save, bool compose) {
    btnSearch->setEnabled(search);
    btnCancel->setEnabled(cancel);
    btnSave->setEnabled(save);
    btnAutocreateFName->setEnabled(compose);
}

void TForm1::ShowBusy(bool busy) { Shape1->setVisible(busy); }

SearchOptions TForm1::CurrentOptions() const {
    SearchOptions o;
    o.showSize = ckbShowSize->isChecked();
    o.showType = On(ckbShowType);
    o.showModified = On(ckbShowDateTime);
    o.showCreated = On(ckbCrTime);
    o.showLastAccess = On(ckbLAccessTime);
    o.showFileCount = On(ckbNumFolders);
    o.showSubfolderCount = On(ckbNumFiles);
    o.showAttributes = On(ckbShowAttributes);
    o.showShortName = On(ckbShowShortFileName);
    o.onlyFolders = ckbOnlyFolders->isChecked();
    o.includeSubfolders = ckbIncludeSubfolders->isChecked();
    o.sizeUnit = std::max(0, RadioGroup1Buttons->checkedId());
    o.structureMode = std::max(0, cbStructureSearch->currentIndex());
    return o;
}

void TForm1::btnSearchClick() {
    // One search at a time: a running one stops first, and an earlier search's end is no
    // longer told, whether this start is refused or not.
    StopRunningSearch();
    searchToReport_ = nullptr;
    QApplication::processEvents();
    SearchTarget = ChooseSearchTarget(stLookIn->SelectedPath(), stLookIn->SelectedText(), SearchTarget);
    const std::string lookFor = TrimBlanks(LookForText());
    SetLookForText(lookFor);
    StatusPanel0->clear();
    StatusPanel1->clear();
    cancelFlag_ = false;
    btnCancel->setEnabled(true);
    std::vector<std::string> history;
    for (int i = 0; i < cbLookfor->count(); ++i) history.push_back(ItemBytesOf(*cbLookfor, i));
    if (AddToHistory(history, lookFor)) {
        const QSignalBlocker block(cbLookfor);
        InsertItemBytes(*cbLookfor, 0, lookFor);
        ShowEditBytes(*cbLookfor, lookFor);
    }
    Results->ClearRows();
    ListView1->viewport()->repaint();

    SetCommandButtons(false, true, false, false);
    if (cbStructureSearch->currentIndex() >= ModeExplorer) {
        DoStructureSearch();
        return;
    }
    if (ckbOnlyFolders->isChecked()) UncheckColumnOptions();
    if (SearchTarget == kAllDrives)
        DoSearchinAllDrives();
    else
        DoSearchinSingleDriveorFolder();
}

void TForm1::UncheckColumnOptions() {
    for (QCheckBox* box : {ckbShowSize, ckbShowDateTime, ckbShowAttributes, ckbShowShortFileName,
                           ckbLAccessTime, ckbCrTime, ckbShowType})
        box->setChecked(false);
}

bool TForm1::RefusedForEmptyLookFor() {
    if (!SplitMasks(LookForText()).empty()) return false; // ";" alone holds no mask either
    messages_.Error(Msg(80));
    // Unlike the original, the commands come back as after the other refusals.
    SetCommandButtons(true, false, true, true);
    return true;
}

bool TForm1::RefusedForNoFolder() {
    if (messages_.ErrorConfirmed(Msg(102))) SetCommandButtons(true, false, true, true);
    return true;
}

SearchRequest TForm1::AllDrivesRequest() {
    DriveList.clear();
    BuildDriveList(DriveList);
    SearchRequest r;
    r.target = std::string(kAllDrives);
    r.driveList = DriveList;
    return r;
}

void TForm1::DoSearchinAllDrives() {
    if (RefusedForEmptyLookFor()) return;
    SearchTarget = std::string(kAllDrives);
    lookForMask_ = TrimBlanks(LookForText());
    SearchRequest r = AllDrivesRequest();
    r.mask = lookForMask_;
    Launch(std::move(r));
}

bool TForm1::CheckMediumOrRefuse() {
    const bool readable = HasReadableMedium ? HasReadableMedium(SearchTarget) : GetVolumeInfo(SearchTarget).ok;
    if (readable) return true;
    messages_.Error(Msg(34));
    SetCommandButtons(true, false, false, true);
    return false;
}

void TForm1::DoSearchinSingleDriveorFolder() {
    if (stLookIn->SelectedPath().empty() && RefusedForNoFolder()) return;
    searchRoot_ = paths::WithTrailingSeparator(SearchTarget);
    if (RefusedForEmptyLookFor()) return;
    lookForMask_ = TrimBlanks(LookForText());
    cancelFlag_ = false;
    if (!CheckMediumOrRefuse()) return;
    SearchRequest r;
    r.target = SearchTarget;
    r.root = searchRoot_;
    r.mask = lookForMask_;
    Launch(std::move(r));
}

void TForm1::DoStructureSearch() {
    const std::string selected = stLookIn->SelectedPath();
    if (selected.empty() && SearchTarget != kAllDrives && RefusedForNoFolder()) return;
    SetLookForText("*.*");
    if (SearchTarget == kAllDrives) {
        SearchRequest r = AllDrivesRequest();
        r.mask = lookForMask_; // a structure search keeps the previous mask
        Launch(std::move(r));
        return;
    }
    SearchRequest r;
    r.mask = lookForMask_;
    SearchTarget = selected;
    searchRoot_ = paths::WithTrailingSeparator(selected);
    if (!CheckMediumOrRefuse()) return;
    r.target = SearchTarget;
    r.root = searchRoot_;
    Launch(std::move(r));
}

void TForm1::Launch(SearchRequest request) {
    ShowBusy(true);
    StatusPanel0->setText(QText(107));
    StatusPanel1->setText(QText(59));
    SetCommandButtons(false, true, false, false);
    CreateLVColumns();
    request.options = CurrentOptions();
    request.mountsNotToEnter = MountPointsNotToEnter();
    request.statBatches = StatBatchesWanted(std::getenv("PATHQUILL_IO_URING"));
    request.diskHelpers =
        DiskHelpersWanted(std::getenv("PATHQUILL_DISK_HELPERS"), kDiskHelpersByDefault);
    runningOptions_ = request.options;
    // The unit the search started with, whatever the unit box says by now.
    RowRecipe recipe{Results->Table().columns, request.options, UnitWord(request.options.sizeUnit)};
    auto* runner = new SearchRunner(
        std::move(request), std::move(recipe), this,
        [this](SearchRunner* r, RowBatch& rows) { AddRows(r, rows); },
        [this] { messages_.Plain(Msg(198)); });
    connect(runner, &SearchRunner::Finished, this, [this, runner] {
        HandleTerminate(runner);
        runner->deleteLater(); // the thread object goes once its end has been handled
    }, Qt::QueuedConnection);
    currentSearch_ = runner;
    searchToReport_ = runner;
    runner->Start();
}

void TForm1::AddRows(SearchRunner* runner, RowBatch& batch) {
    if (runner != currentSearch_) return; // a cancelled search still finishing: not ours any more
    Results->AppendRows(std::move(batch.rows));
    if (batch.statusChanged) UpdateStatus(batch.statusPath);
}

void TForm1::UpdateStatus(const std::string& statusPath) {
    StatusPanel0->setText(QText(107));
    if (statusPath.size() <= 1) return;
    const QFontMetrics fm(statusBar()->font());
    const std::string shown = MinimizeName(statusPath, [&](std::string_view s) {
        return fm.horizontalAdvance(QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
    }, StatusPanel1->width());
    StatusPanel1->setText(QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size())));
}

void TForm1::StopRunningSearch() {
    if (!currentSearch_)
        return;
    currentSearch_->Terminate();
    currentSearch_ = nullptr;
    ShowBusy(false);
}

void TForm1::mnStartClick() {
    btnSearchClick();
}

void TForm1::mnCancelClick() {
    btnCancelClick();
}

void TForm1::btnCancelClick() {
    StopRunningSearch();
    ShowBusy(false);
    cancelFlag_ = true;
    btnAutocreateFName->setEnabled(true);
    btnSearch->setEnabled(true);
    btnSave->setEnabled(true);
    QApplication::processEvents();
}

void TForm1::HandleTerminate(SearchRunner* runner) {
    // The end of a search that a newer start command replaced touches nothing.
    if (runner != searchToReport_)
        return;
    searchToReport_ = nullptr;
    if (cancelFlag_) {
        StatusPanel0->setText(QText(55));
        StatusPanel1->clear();
    } else if (Results->rowCount() > 0) {
        StatusPanel0->setText(QText(106));
        StatusPanel1->setText(QString::fromStdString(FoundCountText(Results->Table().rows.size())));
        FitColumnsToContents();
    } else {
        StatusPanel0->setText(QText(106));
        StatusPanel1->setText(QText(56));
        Results->RemoveColumns();
    }
    ShowBusy(false);
    btnAutocreateFName->setEnabled(true);
    btnAutocreateFName->setFocus();
    btnSearch->setEnabled(true);
    btnSave->setEnabled(true);
    btnCancel->setEnabled(false);
    if (currentSearch_) {
        currentSearch_->Terminate();
        currentSearch_ = nullptr;
    }
}

// Cancelled searches may still be ending as well: each is stopped and waited for while its
// hand-overs are served, so none is left blocked on a window that goes away.
void TForm1::StopSearchesAndWait() {
    std::vector<QPointer<SearchRunner>> runners; // guarded: waiting for one may release another
    for (SearchRunner* r : findChildren<SearchRunner*>(Qt::FindDirectChildrenOnly)) runners.emplace_back(r);
    for (const QPointer<SearchRunner>& runner : runners) {
        if (!runner) continue;
        runner->Terminate();
        QEventLoop loop;
        connect(runner, &SearchRunner::Finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
        if (!runner->IsFinished()) loop.exec();
    }
    currentSearch_ = nullptr;
}

void TForm1::cbLookforDropDown() {
    for (int i = 0; i < cbLookfor->count(); ++i)
        if (cbLookfor->itemText(i) == QStringLiteral(" ")) return;
    const QString text = cbLookfor->currentText();
    const QSignalBlocker block(cbLookfor);
    cbLookfor->insertItem(0, QStringLiteral(" "));
    cbLookfor->setEditText(text);
}

void TForm1::cbStructureSearchChange() {
    const bool structure = cbStructureSearch->currentIndex() >= ModeExplorer;
    for (QCheckBox* box : {ckbOnlyFolders, ckbIncludeSubfolders}) {
        box->setEnabled(!structure);
        box->setVisible(!structure);
        box->setChecked(structure);
    }
    Bevel2->setVisible(!structure);
    for (QCheckBox* box : {ckbShowDateTime, ckbLAccessTime, ckbShowType}) {
        box->setVisible(!structure);
        box->setEnabled(!structure);
    }
    for (QCheckBox* box : {ckbShowSize, ckbShowAttributes, ckbShowShortFileName, ckbCrTime})
        box->setEnabled(true);
    MoveControl(ckbCrTime, 9, structure ? 40 : 60);
    ckbNumFiles->setVisible(structure);
    ckbNumFiles->setEnabled(structure);
    ckbNumFolders->setVisible(structure);
    ckbNumFolders->setEnabled(structure);
    if (structure) {
        ckbNumFiles->setText(QText(154));
        MoveControl(ckbNumFiles, 9, 80); // where ckbLAccessTime stands
        ckbNumFolders->setText(QText(153));
        MoveControl(ckbNumFolders, 9, 60);
    }
}

void TForm1::ckbOnlyFoldersClick(bool checked) {
    for (QCheckBox* box : {ckbShowSize, ckbShowDateTime, ckbCrTime, ckbLAccessTime,
                           ckbShowAttributes, ckbShowShortFileName, ckbShowType})
        box->setEnabled(!checked);
    ckbIncludeSubfolders->setEnabled(true);
}
