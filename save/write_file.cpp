// The window's save of the result list: the writer does the work, the window shows the outcome.
#include <QCheckBox>
#include <QLabel>
#include <ctime>

#include "app/tform1.h"
#include "results/result_model.h"
#include "save/result_writer.h"

bool TForm1::WriteFile(const std::string& fileName) {
    WriterPlatform machine;
    if (DriveTypeOfSaveTarget)
        machine.driveTypeName = DriveTypeOfSaveTarget;
    const WriteOutcome out = WriteResultFile(Results->Table(), fileName, ckbIncludeDate->isChecked(),
                                             std::time(nullptr), messages_, machine);
    if (out.leftPanel) StatusPanel0->setText(QString::fromStdString(*out.leftPanel));
    if (out.rightPanel) StatusPanel1->ShowPath(*out.rightPanel, out.saved ? fileName : std::string());
    return out.saved;
}
