#include "app/tform1.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/command_line.h"
#include "app/design_layout.h"
#include "app/key_preview.h"
#include "app/message_boxes.h"
#include "platform/paths.h"
#include "platform/program_file.h"
#include "resources/glyphs.h"
#include "resources/qt_text.h"
#include "resources/strings.h"
#include "results/result_list_actions.h"
#include "results/result_list_view.h"
#include "results/result_model.h"
#include "search/minimize_name.h"
#include "search/search_runner.h"
#include "system/cd_drive_box.h"
#include "trees/look_in_tree.h"
#include "trees/save_in_tree.h"

namespace {

// The busy indicator: a small red filled circle.
class BusyIndicator : public QWidget {
public:
    using QWidget::QWidget;
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::red);
        const qreal d = std::min(width(), height()) - 1; // a circle, however wide the shape
        p.drawEllipse(QRectF((width() - d) / 2, (height() - d) / 2, d, d));
    }
};

QFrame* SeparatorLine(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// The look-for box tells before its history drops down.
class LookForBox : public QComboBox {
public:
    LookForBox(QWidget* parent, std::function<void()> beforeDropDown)
        : QComboBox(parent), beforeDropDown_(std::move(beforeDropDown)) {}
    void showPopup() override {
        beforeDropDown_();
        QComboBox::showPopup();
    }
private:
    std::function<void()> beforeDropDown_;
};

QCheckBox* CheckBoxAt(DesignLayout& layout, QWidget* parent, int left, int top, int width = 120) {
    auto* box = new QCheckBox(parent);
    layout.Place(box, {left, top, width, 18});
    return box;
}

// The Save In tree is drawn in the palette's tooltip colours, text and background alike, so it
// stays readable under a dark desktop scheme.
void UseTooltipColours(QWidget& tree) {
    QPalette tip = tree.palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        tip.setColor(group, QPalette::Base, QApplication::palette().color(group, QPalette::ToolTipBase));
        tip.setColor(group, QPalette::Text, QApplication::palette().color(group, QPalette::ToolTipText));
    }
    tree.setPalette(tip);
}
} // namespace

TForm1::TForm1(MessageBoxes& messages, std::string commandLineFolder, QWidget* parent)
    : TForm1(messages, SettingsPlace{}, std::move(commandLineFolder), parent) {}

TForm1::TForm1(MessageBoxes& messages, SettingsPlace settings, std::string commandLineFolder,
               QWidget* parent)
    : QMainWindow(parent), messages_(messages), settingsPlace_(std::move(settings)),
      contextMenu_(UserContextMenuSetup()) {
    FormCreate(commandLineFolder);
}

TForm1::TForm1(MessageBoxes& messages, ContextMenuSetup contextMenu, std::string commandLineFolder)
    : QMainWindow(nullptr), messages_(messages), contextMenu_(std::move(contextMenu)) {
    FormCreate(commandLineFolder);
}

// A window destroyed without closing still lets a running search end first.
TForm1::~TForm1() { StopSearchesAndWait(); }

void TForm1::FormCreate(const std::string& commandLineFolder) {
    BuildLayout();
    BuildMenu();
    ConnectSaveCommands();
    setWindowIcon(QIcon(QStringLiteral(":/pathquill.svg")));
    sortState_ = ColumnSortState{};
    HelpFile = HelpFilePath();
    SaveFolder.clear();
    btnCancel->setEnabled(false);
    InitializeForm();
    SetDesignSizes();
    NameControlsForScreenReaders();
    SetTabOrder();
    glyphs_ = std::make_unique<HeaderGlyphs>();
    new KeyPreview(this, [this](int key) { FormKeyDown(key); });
    const bool entryPresent = ContextMenuEntry(contextMenu_.places).Exists();
    RadioGroup2Items[entryPresent ? 0 : 1]->setChecked(true);
    ListView1ColumnClick(0);
    ReadSettings();
    PageControl1->setCurrentWidget(tsLookIn);
    RunCommandLine(commandLineFolder);
}

void TForm1::BuildLayout() {
    StatusPanel0 = new QLabel(this);
    StatusPanel1 = new StatusPanel(this);
    statusBar()->addWidget(StatusPanel0);
    statusBar()->addWidget(StatusPanel1, 1);
    statusBar()->setSizeGripEnabled(true);

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->setOpaqueResize(true);

    auto* panel2 = new QFrame(Splitter1);
    panel2->setFrameShape(QFrame::Panel);
    panel2->setFrameShadow(QFrame::Sunken);
    auto* panel2Layout = new QVBoxLayout(panel2);
    panel2Layout->setContentsMargins(1, 1, 1, 1);
    Splitter2 = new QSplitter(Qt::Vertical, panel2);
    Splitter2->setChildrenCollapsible(false);
    Splitter2->setOpaqueResize(true);
    panel2Layout->addWidget(Splitter2);

    PageControl1 = new QTabWidget(Splitter2);
    PageControl1->setUsesScrollButtons(false); // all four pages stay visible
    tsLookIn = new QWidget;
    tsOptions = new QWidget;
    tsSaveIn = new QWidget;
    tsSettings = new QWidget;
    PageControl1->addTab(tsLookIn, QString());
    PageControl1->addTab(tsOptions, QString());
    PageControl1->addTab(tsSaveIn, QString());
    PageControl1->addTab(tsSettings, QString());

    stLookIn = new LookInTree(tsLookIn);
    (new QVBoxLayout(tsLookIn))->addWidget(stLookIn);
    tsLookIn->layout()->setContentsMargins(0, 0, 0, 0);
    connect(stLookIn, &LookInTree::SelectionChanged, this, &TForm1::stLookInChange);

    sjtSaveIn = new SaveInTree(messages_, tsSaveIn);
    UseTooltipColours(*sjtSaveIn);
    (new QVBoxLayout(tsSaveIn))->addWidget(sjtSaveIn);
    tsSaveIn->layout()->setContentsMargins(0, 0, 0, 0);

    BuildOptionsPage();
    BuildSettingsPage();

    QWidget* panel4 = BuildCommandPanel();
    panel4->setParent(Splitter2);
    Splitter2->addWidget(PageControl1);
    Splitter2->addWidget(panel4);
    // Panel3 keeps its height at the top; the command panel below takes what the window gains.
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);

    auto* panel1 = new QFrame(Splitter1);
    panel1->setFrameShape(QFrame::Panel);
    panel1->setFrameShadow(QFrame::Sunken);
    ListView1 = new ResultListView(panel1);
    Results = new ResultModel(ListView1);
    ListView1->setModel(Results);
    Results->SetMeasureFont(ListView1->font());
    ListActions = new ResultListActions(*ListView1, *Results, messages_);
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setStretchLastSection(false);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this, &TForm1::ListView1ColumnClick);
    ListView1->installEventFilter(this);
    (new QVBoxLayout(panel1))->addWidget(ListView1);
    panel1->layout()->setContentsMargins(1, 1, 1, 1);

    Splitter1->addWidget(panel2);
    Splitter1->addWidget(panel1);
    Splitter1->setStretchFactor(1, 1);
    // Navy handles; a style sheet here would stop the window font reaching the controls.
    for (QSplitter* splitter : {Splitter1, Splitter2}) {
        QSplitterHandle* handle = splitter->handle(1);
        QPalette navy = handle->palette();
        navy.setColor(QPalette::Window, QColor(0, 0, 128));
        handle->setPalette(navy);
        handle->setAutoFillBackground(true);
    }
    setCentralWidget(Splitter1);

    // Design columns until the first search builds its own.
    Results->SetColumns({{Msg(301), ColumnKind::Path, false, ColumnFit::Contents},
                         {std::string(MessageText(147)), ColumnKind::Size, true, ColumnFit::Header}});
}

void TForm1::BuildOptionsPage() {
    GroupBox1 = new QGroupBox(tsOptions);
    design_.Place(GroupBox1, {2, 0, 273, 195});
    ckbShowSize = CheckBoxAt(design_, GroupBox1, 9, 20);
    ckbShowDateTime = CheckBoxAt(design_, GroupBox1, 9, 40);
    ckbCrTime = CheckBoxAt(design_, GroupBox1, 9, 60);
    ckbLAccessTime = CheckBoxAt(design_, GroupBox1, 9, 80);
    ckbShowAttributes = CheckBoxAt(design_, GroupBox1, 9, 100);
    ckbShowShortFileName = CheckBoxAt(design_, GroupBox1, 9, 120);
    ckbShowType = CheckBoxAt(design_, GroupBox1, 9, 140);
    ckbIncludeSubfolders = CheckBoxAt(design_, GroupBox1, 132, 20, 135);
    Bevel2 = SeparatorLine(GroupBox1);
    design_.Place(Bevel2, {132, 45, 127, 2});
    ckbOnlyFolders = CheckBoxAt(design_, GroupBox1, 132, 60, 138);
    ckbNumFiles = CheckBoxAt(design_, GroupBox1, 9, 80);
    ckbNumFolders = CheckBoxAt(design_, GroupBox1, 9, 60);
    ckbNumFiles->hide();
    ckbNumFolders->hide();
    Bevel1 = SeparatorLine(GroupBox1);
    design_.Place(Bevel1, {4, 158, 258, 2});
    Label1 = new QLabel(GroupBox1);
    design_.Place(Label1, {9, 171, 0, 0});
    cbStructureSearch = new QComboBox(GroupBox1);
    design_.Place(cbStructureSearch, {105, 168, 158, 21});
    design_.After(cbStructureSearch, {Label1}, 4);
    design_.EndAt(cbStructureSearch, 263);
    design_.CentreOn(Label1, cbStructureSearch);
    GroupBox2 = new QGroupBox(tsOptions);
    design_.Place(GroupBox2, {2, 200, 273, 50});
    design_.Below(GroupBox2, GroupBox1, 5);
    ckbIncludeDate = CheckBoxAt(design_, GroupBox2, 9, 22);

    connect(ckbOnlyFolders, &QCheckBox::toggled, this, &TForm1::ckbOnlyFoldersClick);
    // Only a change of the mode runs the handler: picking the mode already shown changes nothing.
    connect(cbStructureSearch, &QComboBox::currentIndexChanged, this,
            &TForm1::cbStructureSearchChange);
}

void TForm1::BuildSettingsPage() {
    GroupBox3 = new QGroupBox(tsSettings);
    design_.Place(GroupBox3, {1, 0, 273, 53});
    DriveComboBox1 = new QComboBox(GroupBox3);
    design_.Place(DriveComboBox1, {9, 19, 145, 22});
    FillCDDriveBox(*DriveComboBox1);
    connect(DriveComboBox1, &QComboBox::currentIndexChanged, this, &TForm1::DriveComboBox1Change);
    RadioGroup1 = new QGroupBox(tsSettings);
    design_.Place(RadioGroup1, {1, 53 + 10, 273, 74});
    design_.Below(RadioGroup1, GroupBox3, 10);
    RadioGroup1Buttons = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        RadioGroup1Items[i] = new QRadioButton(RadioGroup1);
        design_.Place(RadioGroup1Items[i], {9, 16 + 18 * i, 200, 18});
        RadioGroup1Buttons->addButton(RadioGroup1Items[i], i);
    }
    RadioGroup2 = new QGroupBox(tsSettings);
    design_.Place(RadioGroup2, {1, 63 + 74 + 10, 273, 57});
    design_.Below(RadioGroup2, RadioGroup1, 10);
    RadioGroup2Buttons = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        RadioGroup2Items[i] = new QRadioButton(RadioGroup2);
        design_.Place(RadioGroup2Items[i], {9, 16 + 18 * i, 200, 18});
        RadioGroup2Buttons->addButton(RadioGroup2Items[i], i);
    }
    RadioGroup2Items[1]->setChecked(true);
    connect(RadioGroup2Buttons, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) RadioGroup2Click();
    });
    connect(RadioGroup1Buttons, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) RadioGroup1Click(id);
    });
}

QWidget* TForm1::BuildCommandPanel() {
    auto* panel4 = new QWidget;
    Label2 = new QLabel(panel4);
    design_.Place(Label2, {9, 8, 0, 0});
    cbLookfor = new LookForBox(panel4, [this] { cbLookforDropDown(); });
    cbLookfor->setEditable(true);
    // A completion that ignores letter case makes the box take a history entry's spelling
    // whenever the user leaves it; the typed text has to stay as it is.
    cbLookfor->completer()->setCaseSensitivity(Qt::CaseSensitive);
    cbLookfor->setInsertPolicy(QComboBox::NoInsert);
    design_.Place(cbLookfor, {80, 6, 193, 21});
    StaticText2 = new QLabel(panel4);
    design_.Place(StaticText2, {9, 34, 0, 0});
    edSaveAs = new QLineEdit(panel4);
    design_.Place(edSaveAs, {80, 30, 193, 21});
    btnAutocreateFName = new QPushButton(panel4);
    design_.Place(btnAutocreateFName, {9, 60, 230, 21});
    btnSearch = new QPushButton(panel4);
    design_.Place(btnSearch, {9, 86, 75, 21});
    btnCancel = new QPushButton(panel4);
    design_.Place(btnCancel, {87, 86, 75, 21});
    btnSave = new QPushButton(panel4);
    design_.Place(btnSave, {164, 86, 75, 21});
    sbEject = new QToolButton(panel4);
    design_.Place(sbEject, {244, 86, 23, 21});
    sbEject->setFocusPolicy(Qt::NoFocus);
    sbEject->setAutoRaise(true);
    Shape1 = new BusyIndicator(panel4);
    design_.Place(Shape1, {265, 92, 22, 10});
    // The boxes start right of their labels, whatever width the font gives the labels, and the
    // rows move down and right when the font makes a control larger.
    for (QWidget* box : {static_cast<QWidget*>(cbLookfor), static_cast<QWidget*>(edSaveAs)}) {
        design_.After(box, {Label2, StaticText2}, 6);
        design_.EndAt(box, 273);
    }
    design_.CentreOn(Label2, cbLookfor);
    design_.CentreOn(StaticText2, edSaveAs);
    design_.Below(edSaveAs, cbLookfor, 3);
    design_.Below(btnAutocreateFName, edSaveAs, 9);
    for (QWidget* button : {static_cast<QWidget*>(btnSearch), static_cast<QWidget*>(btnCancel),
                            static_cast<QWidget*>(btnSave), static_cast<QWidget*>(sbEject)})
        design_.Below(button, btnAutocreateFName, 5);
    design_.After(btnCancel, {btnSearch}, 3);
    design_.After(btnSave, {btnCancel}, 2);
    design_.After(sbEject, {btnSave}, 5);
    design_.After(Shape1, {sbEject}, -2);
    design_.Below(Shape1, btnAutocreateFName, 11);

    connect(btnSearch, &QPushButton::clicked, this, &TForm1::btnSearchClick);
    connect(btnCancel, &QPushButton::clicked, this, &TForm1::btnCancelClick);
    connect(sbEject, &QToolButton::clicked, this, &TForm1::sbEjectClick);
    return panel4;
}

// The design's pixel sizes hold for an 8-point face; larger fonts make everything larger.
void TForm1::PlaceControls() {
    design_.Apply(font());
    const DesignScale& s = design_.Scale();
    StatusPanel0->setFixedWidth(s.X(291));
    statusBar()->setFixedHeight(std::max(s.Y(19), StatusPanel0->sizeHint().height()) + 4);
    Splitter1->setHandleWidth(s.X(3));
    Splitter2->setHandleWidth(s.Y(5));
    for (QWidget* page : {tsOptions, tsSettings})
        page->setMinimumWidth(design_.ChildrenArea(page).right() + 1 + s.X(2));
    QWidget* panel4 = btnSearch->parentWidget();
    const QRect commands = design_.ChildrenArea(panel4);
    panel4->setMinimumSize(commands.right() + 1, std::max(s.Y(124), commands.bottom() + 1 + s.Y(4)));
    PageControl1->setMinimumHeight(s.Y(124));
    Splitter2->parentWidget()->setMinimumWidth(std::max(s.X(280), Splitter2->minimumSizeHint().width() + 4));
    ListView1->parentWidget()->setMinimumWidth(s.X(300));
    ListView1->setMinimumSize(s.X(340), s.Y(415));
    Results->SetMeasureFont(ListView1->font());
}

// The window's first size and the splitters' first positions, after the controls are placed.
void TForm1::SetDesignSizes() {
    const DesignScale& s = design_.Scale();
    resize(s.Size(673, 482).expandedTo(minimumSizeHint()));
    Splitter2->setSizes({s.Y(286), s.Y(130)});
    Splitter1->setSizes({std::max(s.X(290), Splitter2->parentWidget()->minimumWidth()), s.X(383)});
}

void TForm1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange && Results)
        PlaceControls();
    if (event->type() == QEvent::PaletteChange && sjtSaveIn)
        UseTooltipColours(*sjtSaveIn);
    QMainWindow::changeEvent(event);
}

void TForm1::MoveControl(QWidget* control, int designLeft, int designTop) {
    design_.Move(control, {designLeft, designTop});
}

void TForm1::BuildMenu() {
    mnDatei = menuBar()->addMenu(QString());
    mnLookIn = mnDatei->addAction(QString());
    mnStart = mnDatei->addAction(QString());
    mnCancel = mnDatei->addAction(QString());
    mnDatei->addSeparator();
    mnSaveIn = mnDatei->addAction(QString());
    mnSave = mnDatei->addAction(QString());
    mnPrint = mnDatei->addAction(QString());
    mnExportPdf = mnDatei->addAction(QString());
    mnExportSpreadsheet = mnDatei->addAction(QString());
    mnDatei->addSeparator();
    mnExit = mnDatei->addAction(QString());
    mnHelpSymbol = menuBar()->addMenu(QString());
    mnHelpTopics = mnHelpSymbol->addAction(QString());
    mnInfo = mnHelpSymbol->addAction(QString());

    connect(mnLookIn, &QAction::triggered, this, &TForm1::mnLookInClick);
    connect(mnStart, &QAction::triggered, this, &TForm1::mnStartClick);
    connect(mnCancel, &QAction::triggered, this, &TForm1::mnCancelClick);
    connect(mnExit, &QAction::triggered, this, &TForm1::mnExitClick);
    connect(mnHelpTopics, &QAction::triggered, this, &TForm1::mnHelpTopicsClick);
    connect(mnInfo, &QAction::triggered, this, &TForm1::mnInfoClick);
}

void TForm1::InitializeForm() {
    Shape1->hide();
    edSaveAs->clear();

    mnDatei->setTitle(QText(1));
    mnLookIn->setText(QText(20));
    mnStart->setText(QText(2));
    mnCancel->setText(QText(3));
    mnSave->setText(QText(4));
    mnPrint->setText(QText(282));
    mnExportPdf->setText(QText(283));
    mnExportSpreadsheet->setText(QText(284));
    mnExit->setText(QText(5));
    mnHelpSymbol->setTitle(QText(6));
    mnHelpTopics->setText(QText(7));
    mnInfo->setText(QText(8));
    mnSaveIn->setText(QText(13));
    PageControl1->setTabText(0, QText(20));
    PageControl1->setTabText(1, QText(130));
    PageControl1->setTabText(2, QText(13));
    PageControl1->setTabText(3, QText(131));
    setWindowTitle(QText(10));
    Label1->setText(QText(12) + QStringLiteral(":"));
    Label2->setText(QText(11));
    StaticText2->setText(QText(14));
    btnSearch->setText(QText(2));
    btnCancel->setText(QText(21));
    btnSave->setText(QText(23));
    btnAutocreateFName->setText(QText(9));
    cbLookfor->setToolTip(QText(80));
    btnAutocreateFName->setToolTip(QText(82));
    edSaveAs->setToolTip(QText(83));
    cbStructureSearch->setToolTip(QText(81));
    ListView1->setToolTip(QText(89));
    btnSearch->setToolTip(QText(85));
    btnCancel->setToolTip(QText(86));
    btnSave->setToolTip(QText(87));
    sbEject->setToolTip(QText(88));
    ckbIncludeDate->setToolTip(QText(79));
    sjtSaveIn->setToolTip(QText(84));
    GroupBox1->setTitle(QText(26));
    GroupBox2->setTitle(QText(132));
    ckbOnlyFolders->setText(QText(70));
    ckbShowSize->setText(QText(104));
    ckbShowDateTime->setText(QText(142));
    ckbLAccessTime->setText(QText(134));
    ckbCrTime->setText(QText(133));
    ckbShowAttributes->setText(QText(135));
    ckbShowShortFileName->setText(QText(136));
    ckbIncludeDate->setText(QText(95));
    ckbIncludeSubfolders->setText(QText(151));
    ckbShowType->setText(QText(150));
    StatusPanel0->setText(QText(107));
    StatusPanel1->setText(QText(117));
    GroupBox3->setTitle(QText(138));
    RadioGroup1->setTitle(QText(144));
    RadioGroup1Items[0]->setText(QText(148));
    RadioGroup1Items[1]->setText(QText(145));
    RadioGroup1Items[2]->setText(QText(146));
    RadioGroup2->setTitle(QText(108));
    RadioGroup2Items[0]->setText(QText(109));
    RadioGroup2Items[1]->setText(QText(110));
    RadioGroup2->setToolTip(QText(111));

    PlaceControls();
    btnAutocreateFName->setEnabled(false);
    {
        const QSignalBlocker block(cbStructureSearch);
        cbStructureSearch->clear();
        cbStructureSearch->addItems({QText(139), QText(140), QText(141)});
        cbStructureSearch->setCurrentIndex(0);
    }
    if (RadioGroup1Buttons->checkedId() < 0) RadioGroup1Items[0]->setChecked(true);
}

void TForm1::RunCommandLine(std::string argument) {
    const std::string folder = CommandLineFolder(std::move(argument), paths::CurrentFolder());
    if (folder.empty()) return;
    // Searching on would list the folder selected before, not the one asked for.
    if (!stLookIn->SelectPath(folder) || !paths::SameFile(stLookIn->SelectedPath(), folder)) {
        messages_.Error(Msg(119));
        return;
    }
    {
        const QSignalBlocker block(cbStructureSearch);
        cbStructureSearch->setCurrentIndex(ModeNone);
    }
    for (QCheckBox* on : {ckbShowSize, ckbShowDateTime, ckbShowAttributes, ckbShowType}) on->setChecked(true);
    for (QCheckBox* off : {ckbCrTime, ckbLAccessTime, ckbShowShortFileName, ckbIncludeSubfolders, ckbOnlyFolders})
        off->setChecked(false);
    ckbNumFiles->setEnabled(false);
    ckbNumFolders->setEnabled(false);
    RadioGroup1Items[1]->setChecked(true);
    SetLookForText("*.*");
    btnSearchClick();
}

void TForm1::mnLookInClick() {
    PageControl1->setCurrentWidget(tsLookIn);
}

void TForm1::mnExitClick() {
    close();
}

void TForm1::stLookInChange() {
    std::string p = stLookIn->SelectedPath();
    if (p.empty() && stLookIn->SelectedText() == MessageText(164)) p = Msg(182);
    if (p.size() > 1) p = paths::WithoutTrailingSeparator(p);
    if (p.size() >= 2) {
        const QFontMetrics fm(statusBar()->font());
        p = MinimizeName(p, [&](std::string_view s) {
            return fm.horizontalAdvance(QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
        }, StatusPanel0->width() - design_.Scale().X(60));
    }
    StatusPanel0->setText(QText(107) + QStringLiteral(" ") + QString::fromStdString(p));
}

void TForm1::FormKeyDown(int key) {
    if (key == Qt::Key_F1) ShowHelpTopic(HelpTopicOfShownPage());
    if (key == Qt::Key_F10) OpenMenuBar();
}

// Centred on the screen every time it is shown; the position is never stored.
void TForm1::showEvent(QShowEvent* event) {
    if (const QScreen* s = screen(); s && !event->spontaneous())
        move(s->availableGeometry().center() - rect().center());
    QMainWindow::showEvent(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TForm1::FormClose() {
    CloseHelp();
    Shape1->hide();
    NotedCDDrive = CDDrive(*DriveComboBox1);
    glyphs_.reset();
    WriteSettings();
    StopSearchesAndWait();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListView1 && event->type() == QEvent::Resize) ListView1Resize();
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::CheckCDROM() { ShowTrayPicture(*sbEject, ::CheckCDROM(CDDrive(*DriveComboBox1))); }

void TForm1::DriveComboBox1Change() { CheckCDROM(); }

void TForm1::sbEjectClick() { cdTray_.sbEjectClick(CDDrive(*DriveComboBox1)); }
