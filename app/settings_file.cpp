// The settings file: read while the window is created, written when it closes.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>

#include "app/kept_bytes.h"
#include "app/tform1.h"
#include "app/window_settings.h"
#include "platform/paths.h"
#include "platform/settings_location.h"
#include "resources/qt_text.h"
#include "resources/strings.h"
#include "results/result_list_view.h"
#include "results/result_model.h"
#include "search/search_request.h"
#include "system/cd_drive_box.h"
#include "trees/look_in_tree.h"
#include "trees/save_in_tree.h"

namespace {
constexpr int kColumnWidthWithoutColumns = 50;
} // namespace

SettingsLocation TForm1::SettingsFile() {
    return SettingsFileLocation(CurrentSettingsEnvironment());
}

std::array<QCheckBox*, kOptionBoxCount> TForm1::OptionBoxes() const {
    return {ckbShowSize,       ckbShowDateTime,      ckbLAccessTime, ckbCrTime,
            ckbShowAttributes, ckbShowShortFileName, ckbOnlyFolders, ckbIncludeSubfolders,
            ckbShowType,       ckbNumFiles,          ckbNumFolders};
}

WindowSettings TForm1::CurrentWindowSettings() const {
    WindowSettings s;
    s.searchTarget = SearchTarget;
    s.lookForText = LookForText();
    s.fileName = BytesOf(*edSaveAs);
    s.saveFolder = SaveFolder;
    s.formWidth = width();
    s.formHeight = height();
    s.firstColumnWidth =
        Results->columnCount() > 0 ? ListView1->columnWidth(0) : kColumnWidthWithoutColumns;
    s.resultListWidth = ListView1->width();
    const QWidget* panel1 = ListView1->parentWidget();
    s.panel1 = {panel1->x(), panel1->height(), panel1->width()};
    s.panel3 = {Splitter2->x() + PageControl1->x(), Splitter2->sizes().value(0),
                PageControl1->width()};
    const auto boxes = OptionBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        s.options[i] = boxes[i]->isChecked();
    s.sizeUnit = RadioGroup1Buttons->checkedId();
    s.structureMode = cbStructureSearch->currentIndex();
    s.cdDrive = NotedCDDrive;
    for (int i = 0; i < cbLookfor->count(); ++i)
        s.lookForHistory.push_back(ItemBytesOf(*cbLookfor, i));
    return s;
}

// The window keeps its minimum size and never grows beyond the screen.
void TForm1::RestoreWindowSize(int w, int h) {
    QSize size = QSize(w, h).expandedTo(minimumSizeHint());
    if (const QScreen* s = screen())
        size = size.boundedTo(s->availableGeometry().size());
    resize(size);
}

// The splitter between the pages and the command panel; the command panel takes the rest of
// the height whenever the window is laid out.
void TForm1::RestorePageAreaHeight(int h) {
    constexpr int kCommandPanelMinimum = 124;
    Splitter2->setSizes({h, kCommandPanelMinimum});
}

void TForm1::ReadSettings() {
    const std::optional<IniFile> ini = LoadSettingsFile(settingsPlace_.file);
    if (!ini)
        return;
    const WindowSettings s = ReadWindowSettings(*ini, CurrentWindowSettings());
    SearchTarget = s.searchTarget;
    ShowBytes(*edSaveAs, s.fileName);
    SaveFolder = s.saveFolder;
    RestoreWindowSize(s.formWidth, s.formHeight);
    // A target that is no full path (a network path of another system) means all drives.
    if (!SearchTarget.empty()) {
        if (SearchTarget == kAllDrives || !paths::IsFullPath(SearchTarget))
            stLookIn->SelectComputer();
        else
            stLookIn->SelectPath(SearchTarget);
    }
    if (!SaveFolder.empty()) {
        if (!paths::IsFullPath(SaveFolder))
            SaveFolder.clear();
        sjtSaveIn->SetSelectedFolder(SaveFolder);
    }
    // The layout places the result list and the panels; of their bounds only the page area's
    // height lasts from one run to the next.
    RestorePageAreaHeight(s.panel3.height);
    const auto boxes = OptionBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setChecked(s.options[i]);
    if (s.sizeUnit >= 0 && s.sizeUnit < 3)
        RadioGroup1Items[s.sizeUnit]->setChecked(true);
    {
        const QSignalBlocker block(cbStructureSearch);
        cbStructureSearch->setCurrentIndex(s.structureMode);
    }
    if (s.structureMode > 0)
        cbStructureSearchChange();
    if (ChooseStartupCDDrive(*DriveComboBox1, s.cdDrive))
        CheckCDROM();
    if (SearchTarget == kAllDrives)
        StatusPanel0->setText(QText(107) + QStringLiteral(" ") + QText(182));
    if (!SaveFolder.empty())
        StatusPanel1->ShowPath(Msg(117) + " " + SaveFolder, SaveFolder);
    for (const std::string& entry : s.lookForHistory) {
        const QSignalBlocker block(cbLookfor);
        InsertItemBytes(*cbLookfor, cbLookfor->count(), entry);
        cbLookfor->setCurrentIndex(-1);
        SetLookForText(s.lookForText);
    }
}

void TForm1::WriteSettings() {
    if (MayWriteSettings(settingsPlace_))
        StoreSettingsFile(settingsPlace_.file, CurrentWindowSettings());
}
