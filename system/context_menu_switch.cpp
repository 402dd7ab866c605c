// The context-menu switch on the settings page.
#include <QButtonGroup>

#include "app/message_boxes.h"
#include "app/tform1.h"

void TForm1::RadioGroup2Click() {
    const bool on = RadioGroup2Buttons->checkedId() == 0;
    const EntryResult result = SwitchContextMenuEntry(contextMenu_, on);
    const EntryReport report = ReportFor(result, ContextMenuEntry(contextMenu_.places).EntryPath());
    if (report.box == EntryReport::Box::Error)
        messages_.Error(report.text);
    if (report.box == EntryReport::Box::Stop)
        messages_.Stop(report.text);
}
