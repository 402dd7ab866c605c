// Help and the info dialog.
#include <QPushButton>
#include <QTabWidget>
#include <cmath>
#include <sys/stat.h>

#include "app/help_window.h"
#include "app/info_form.h"
#include "app/tform1.h"
#include "resources/qt_text.h"

namespace {
// Help topic of each page of the left column, in page order.
constexpr const char* kPageTopics[] = {"Suchen in", "Optionen", "Speichern unter", "Einstellungen"};
// The info dialog's designed outer width, which its button is centred on.
constexpr int kInfoOuterWidth = 282;

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
    const int outerWidth = kInfoOuterWidth + dialog.width() - TInfoForm::kDesignWidth;
    const double left = outerWidth / 2.0 - dialog.Button1->width() / 2.0;
    dialog.Button1->move(static_cast<int>(std::nearbyint(left)), dialog.Button1->y());
    dialog.setWindowTitle(QText(91));
    dialog.exec();
}
