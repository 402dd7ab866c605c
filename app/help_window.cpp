#include "app/help_window.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "resources/qt_text.h"

namespace {
bool HasAnchor(const QTextDocument& document, const QString& name) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorNames().contains(name))
                return true;
    return false;
}
} // namespace

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setWindowTitle(QText(252));
    resize(560, 460);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    auto* contents = new QPushButton(QText(256), this);
    connect(contents, &QPushButton::clicked, this, [this] {
        topic_.clear();
        browser_->verticalScrollBar()->setValue(0);
    });
    auto* bar = new QHBoxLayout;
    bar->addWidget(contents);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser_);
}

bool HelpWindow::ShowContents(const QString& helpFile) {
    topic_.clear();
    const bool readable = QFileInfo(helpFile).isReadable() && QFileInfo(helpFile).isFile();
    if (readable) {
        browser_->setSource(QUrl::fromLocalFile(helpFile), QTextDocument::HtmlResource);
        browser_->reload(); // the file may have changed since it was last shown
    } else {
        browser_->setSource(QUrl());
        QString text = QText(253);
        browser_->setPlainText(text.replace(QStringLiteral("%s"), helpFile));
    }
    browser_->verticalScrollBar()->setValue(0);
    show();
    raise();
    activateWindow();
    return readable;
}

bool HelpWindow::JumpToTopic(const QString& topic) {
    if (!HasAnchor(*browser_->document(), topic))
        return false;
    topic_ = topic;
    browser_->scrollToAnchor(topic);
    return true;
}
