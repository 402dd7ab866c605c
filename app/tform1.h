#pragma once
#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/design_layout.h"
#include "app/settings_store.h"
#include "app/status_panel.h"
#include "app/window_settings.h"
#include "platform/settings_location.h"
#include "platform/optical_drive.h"
#include "results/column_sort_state.h"
#include "system/tray.h"
#include "results/row_builder.h"
#include "search/search_request.h"
#include "system/context_menu_entry.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSplitter;
class QTabWidget;
class QToolButton;
class ResultListView;
class QWidget;
class LookInTree;
class SaveInTree;
class MessageBoxes;
class ResultModel;
class ResultListActions;
class HeaderGlyphs;
class HelpWindow;
class SearchRunner;
struct RowBatch;

// The main window. Its handlers stay thin; they live beside their subsystem's core code
// (search/search_control.cpp, results/result_list.cpp).
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1(MessageBoxes& messages, std::string commandLineFolder = {}, QWidget* parent = nullptr);
    // Keeps its settings in settings.file; the other two keep none.
    TForm1(MessageBoxes& messages, SettingsPlace settings, std::string commandLineFolder = {},
           QWidget* parent = nullptr);
    // With the folder context-menu entry in the given places.
    TForm1(MessageBoxes& messages, ContextMenuSetup contextMenu, std::string commandLineFolder = {});
    ~TForm1() override;

    // Search control
    void btnSearchClick();
    void btnCancelClick();
    void mnStartClick();
    void mnCancelClick();
    bool SearchRunning() const { return currentSearch_ != nullptr; }
    // Result list
    void CreateLVColumns();
    void RadioGroup1Click(int unit);
    void ListView1Resize();
    void FitColumnsToContents();
    void ListView1ColumnClick(int column);
    // Save command and file naming (save/save_command.cpp)
    void btnSaveClick();
    void mnSaveClick();
    void mnSaveInClick();
    void btnAutocreateFNameClick();
    void CheckandReturnFileName(const std::string& name);
    void sjtSaveInChange(const std::string& path);
    void sjtSaveInEdited(const std::string& path, const std::string& newText);
    void NewFolder1Click();
    // Print, PDF and spreadsheet (save/export_commands.cpp)
    void mnPrintClick();
    void mnExportPdfClick();
    void mnExportSpreadsheetClick();
    // Settings, context-menu switch, help
    static SettingsLocation SettingsFile();
    void ReadSettings();
    void WriteSettings();
    void RadioGroup2Click();
    std::string HelpTopicOfShownPage() const;
    void ShowHelpTopic(const std::string& topic);
    void CloseHelp();
    void mnHelpTopicsClick();
    void mnInfoClick();
    // The help viewer, made on its first use; null before.
    HelpWindow* HelpViewer() const { return helpWindow_; }
    // Result file: writes the list as displayed; true when the file was saved.
    bool WriteFile(const std::string& fileName);
    // CD-ROM/DVD tray
    void CheckCDROM();
    void DriveComboBox1Change();
    void sbEjectClick();
    // Window
    void mnLookInClick();
    void mnExitClick();
    void stLookInChange();
    void FormClose();

    // Controls, named as the user's window knows them.
    QLabel* StatusPanel0 = nullptr;
    StatusPanel* StatusPanel1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget *tsLookIn = nullptr, *tsOptions = nullptr, *tsSaveIn = nullptr, *tsSettings = nullptr;
    LookInTree* stLookIn = nullptr;
    QGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr, *GroupBox3 = nullptr;
    QCheckBox *ckbShowSize = nullptr, *ckbShowDateTime = nullptr, *ckbCrTime = nullptr,
              *ckbLAccessTime = nullptr, *ckbShowAttributes = nullptr, *ckbShowShortFileName = nullptr,
              *ckbShowType = nullptr, *ckbIncludeSubfolders = nullptr, *ckbOnlyFolders = nullptr,
              *ckbNumFiles = nullptr, *ckbNumFolders = nullptr, *ckbIncludeDate = nullptr;
    QFrame *Bevel1 = nullptr, *Bevel2 = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cbStructureSearch = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    QGroupBox *RadioGroup1 = nullptr, *RadioGroup2 = nullptr;
    QButtonGroup *RadioGroup1Buttons = nullptr, *RadioGroup2Buttons = nullptr;
    QRadioButton* RadioGroup1Items[3] = {};
    QRadioButton* RadioGroup2Items[2] = {};
    SaveInTree* sjtSaveIn = nullptr;
    QLabel *Label2 = nullptr, *StaticText2 = nullptr;
    QComboBox* cbLookfor = nullptr;
    QLineEdit* edSaveAs = nullptr;
    QPushButton *btnAutocreateFName = nullptr, *btnSearch = nullptr, *btnCancel = nullptr,
                *btnSave = nullptr;
    QToolButton* sbEject = nullptr;
    QWidget* Shape1 = nullptr;
    ResultListView* ListView1 = nullptr;
    ResultModel* Results = nullptr;
    ResultListActions* ListActions = nullptr;
    QSplitter *Splitter1 = nullptr, *Splitter2 = nullptr;
    QAction *mnLookIn = nullptr, *mnStart = nullptr, *mnCancel = nullptr, *mnSaveIn = nullptr,
            *mnSave = nullptr, *mnExit = nullptr, *mnHelpTopics = nullptr, *mnInfo = nullptr,
            *mnPrint = nullptr, *mnExportPdf = nullptr, *mnExportSpreadsheet = nullptr;
    QMenu *mnDatei = nullptr, *mnHelpSymbol = nullptr;

    // Search state
    std::string SearchTarget;
    std::string SaveFolder;
    std::string HelpFile;
    std::string NotedCDDrive; // the CD drive box's drive at close, for the settings file
    std::vector<std::string> DriveList;
    const std::string& CurrentUnitWord() const { return unitWord_; }
    // Whether the volume holding a path has a readable medium; tests replace it.
    std::function<bool(const std::string&)> HasReadableMedium;
    // The drive type of a file about to be written ("RAM disk" is refused); tests replace it.
    std::function<std::string(const std::string&)> DriveTypeOfSaveTarget;
    // The desktop's save dialog for an export, given its title, the suggested path, the file
    // filter and the extension; empty when the user cancelled. Tests replace it.
    std::function<std::string(const std::string&, const std::string&, const std::string&,
                              const std::string&)>
        ChooseExportFile;
    // Shows the print preview of printer, painting its pages with paint. Tests replace it.
    std::function<void(QPrinter&, const std::function<void(QPrinter*)>&)> ShowPrintPreview;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate(const std::string& commandLineFolder);
    void InitializeForm();
    void BuildLayout();
    void BuildMenu();
    QWidget* BuildCommandPanel();
    void PlaceControls();
    void SetDesignSizes();
    void MoveControl(QWidget* control, int designLeft, int designTop);
    void BuildOptionsPage();
    void BuildSettingsPage();
    void RunCommandLine(std::string folder);
    void FormKeyDown(int key);
    void NameControlsForScreenReaders();
    void SetTabOrder();
    void OpenMenuBar();
    HelpWindow& Help();

    // Search control
    SearchOptions CurrentOptions() const;
    void DoSearchinAllDrives();
    void DoSearchinSingleDriveorFolder();
    void DoStructureSearch();
    bool CheckMediumOrRefuse();
    bool RefusedForEmptyLookFor();
    bool RefusedForNoFolder();
    SearchRequest AllDrivesRequest();
    void Launch(SearchRequest request);
    void StopRunningSearch();
    void HandleTerminate(SearchRunner* runner);
    void StopSearchesAndWait();
    void AddRows(SearchRunner* runner, RowBatch& batch);
    void UpdateStatus(const std::string& statusPath);
    void cbLookforDropDown();
    void cbStructureSearchChange();
    void ckbOnlyFoldersClick(bool checked);
    void UncheckColumnOptions();
    void SetCommandButtons(bool search, bool cancel, bool save, bool compose);
    void ShowBusy(bool busy);
    std::string LookForText() const;
    void SetLookForText(const std::string& text);

    // Save command
    void ConnectSaveCommands();
    void ConnectExportCommands();
    void ExportList(bool pdf);
    std::string SaveFolderText() const;
    bool MayReplaceFileName(const std::string& name);
    void CheckandReturnDriveRootFileName(const std::string& name);

    // Result list
    int FittedWidth(int column, bool headerOnly) const;

    // Settings file
    std::array<QCheckBox*, kOptionBoxCount> OptionBoxes() const;
    WindowSettings CurrentWindowSettings() const;
    void RestoreWindowSize(int width, int height);
    void RestorePageAreaHeight(int height);

    MessageBoxes& messages_;
    SettingsPlace settingsPlace_;
    DesignLayout design_;
    std::string unitWord_;
    std::string lookForMask_;
    std::string searchRoot_;
    bool cancelFlag_ = false;
    SearchRunner* currentSearch_ = nullptr; // a child that releases itself after its end
    SearchRunner* searchToReport_ = nullptr; // the one whose end the status bar tells
    LinuxOpticalDrives opticalDrives_;
    CDTray cdTray_{opticalDrives_};
    ColumnSortState sortState_;
    std::unique_ptr<HeaderGlyphs> glyphs_;
    SearchOptions runningOptions_;
    ContextMenuSetup contextMenu_;
    HelpWindow* helpWindow_ = nullptr; // child window, made on the first help request
};
