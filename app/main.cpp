#include <QApplication>
#include <QStyle>
#include <clocale>
#include <sys/resource.h>

#include "app/qt_message_boxes.h"
#include "app/tform1.h"
#include "resources/project_info.h"
#include "resources/strings.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_ALL, ""); // dates and numbers follow the user's regional settings
    // A walk keeps one folder handle per level; let deep trees have them.
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
    QApplication::setApplicationName(QStringLiteral("Pathquill"));
    // Lets Wayland desktops match the window to its launcher entry and icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kPathquillAppId));
    // The desktop's own style where its theme names one; Fusion rather than the plain Windows look.
    if (QApplication::style()->name().compare(QStringLiteral("windows"), Qt::CaseInsensitive) == 0)
        QApplication::setStyle(QStringLiteral("Fusion"));
    QtMessageBoxes messages;
    TForm1 window(messages, SettingsPlace::At(TForm1::SettingsFilePath()),
                  argc > 1 ? std::string(argv[1]) : std::string());
    messages.SetParent(&window);
    window.show();
    return app.exec();
}
