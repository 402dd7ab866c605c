// Help and the info dialog.
#include <QTabWidget>
#include <sys/stat.h>

#include "app/help_window.h"
#include "app/info_form.h"
#include "app/tform1.h"
#include "resources/qt_text.h"

namespace {
// Help topic of each page of the left column, in page order.
constexpr const char* kPageTopics[] = {"Suchen in", "Optionen", "Speichern unter", "Einstellungen"};

bool IsFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
} // namespace

std::string TForm1::HelpTopicOfShownPage() const {
    const int page = PageControl1->currentIndex();
    return page >= 0 && page < 4 ? kPageTopics[page] : std::string();
}

HelpWindow& TForm1::Help() {
    if (!helpWindow_)
        helpWindow_ = new HelpWindow(this);
    return *helpWindow_;
}

// A missing file is the viewer's to show here; only the topics command stays silent about it.
void TForm1::ShowHelpTopic(const std::string& topic) {
    if (Help().ShowContents(QText(HelpFile)))
        Help().JumpToTopic(QText(topic));
}

void TForm1::CloseHelp() {
    if (helpWindow_)
        helpWindow_->close();
}

void TForm1::mnHelpTopicsClick() {
    if (IsFile(HelpFile))
        Help().ShowContents(QText(HelpFile));
}

void TForm1::mnInfoClick() {
    TInfoForm dialog(this);
    dialog.PlaceButton();
    dialog.setWindowTitle(QText(91));
    dialog.exec();
}
