// Help and the info dialog.
#include <QTabWidget>

#include "app/tform1.h"

namespace {
// Help topic of each page of the left column, in page order.
constexpr const char* kPageTopics[] = {"Suchen in", "Optionen", "Speichern unter", "Einstellungen"};
} // namespace

std::string TForm1::HelpTopicOfShownPage() const {
    const int page = PageControl1->currentIndex();
    return page >= 0 && page < 4 ? kPageTopics[page] : std::string();
}

// The help window and the info dialog come with their own change; these are their entry points.
void TForm1::ShowHelpTopic(const std::string& topic) { (void)topic; }
void TForm1::CloseHelp() {}
void TForm1::mnHelpTopicsClick() {}
void TForm1::mnInfoClick() {}
