// The main window for keyboard and screen-reader users: the Tab order and the controls' names.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include "app/tform1.h"
#include "resources/qt_text.h"
#include "results/result_list_view.h"
#include "trees/look_in_tree.h"
#include "trees/save_in_tree.h"

namespace {
QString WithoutAccelerator(int message) {
    return QText(message).remove(QLatin1Char('&'));
}
} // namespace

// Controls with a caption are named by it; the others by the label beside them, their page or
// their hint.
void TForm1::NameControlsForScreenReaders() {
    Label2->setBuddy(cbLookfor);
    StaticText2->setBuddy(edSaveAs);
    Label1->setBuddy(cbStructureSearch);
    stLookIn->setAccessibleName(WithoutAccelerator(20));
    sjtSaveIn->setAccessibleName(WithoutAccelerator(13));
    DriveComboBox1->setAccessibleName(QText(138));
    ListView1->setAccessibleName(QText(89));
    sbEject->setAccessibleName(QText(88));
    Shape1->setAccessibleName(QText(324));
}

// Down the left column page by page, then the command panel, then the result list.
void TForm1::SetTabOrder() {
    const std::vector<QWidget*> order = {PageControl1->tabBar(),
                                         stLookIn,
                                         ckbShowSize,
                                         ckbShowDateTime,
                                         ckbCrTime,
                                         ckbNumFolders,
                                         ckbLAccessTime,
                                         ckbNumFiles,
                                         ckbShowAttributes,
                                         ckbShowShortFileName,
                                         ckbShowType,
                                         ckbIncludeSubfolders,
                                         ckbOnlyFolders,
                                         cbStructureSearch,
                                         ckbIncludeDate,
                                         sjtSaveIn,
                                         DriveComboBox1,
                                         RadioGroup1Items[0],
                                         RadioGroup1Items[1],
                                         RadioGroup1Items[2],
                                         RadioGroup2Items[0],
                                         RadioGroup2Items[1],
                                         cbLookfor,
                                         edSaveAs,
                                         btnAutocreateFName,
                                         btnSearch,
                                         btnCancel,
                                         btnSave,
                                         ListView1};
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// F10 opens the first menu, as on the desktop's other programs.
void TForm1::OpenMenuBar() {
    menuBar()->setActiveAction(mnDatei->menuAction());
}
