#pragma once
#include <QWidget>

class QTextBrowser;

// The program's help viewer: the HTML help file with its contents overview and one section
// per topic, each section's anchor named by its topic ID.
class HelpWindow : public QWidget {
  public:
    explicit HelpWindow(QWidget* owner);

    // Shows the help file from its contents; false when the file cannot be read.
    bool ShowContents(const QString& helpFile);
    // Scrolls to a topic of the file shown; false when the file has no such topic.
    bool JumpToTopic(const QString& topic);
    // The topic jumped to last; empty while the contents are shown.
    const QString& CurrentTopic() const { return topic_; }
    QTextBrowser* Browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
    QString topic_;
};
