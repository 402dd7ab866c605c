#include <QApplication>
#include <clocale>
#include <sys/resource.h>

#include "app/interface_language.h"
#include "app/qt_message_boxes.h"
#include "app/tform1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_ALL, ""); // dates and numbers follow the user's regional settings
    UseInterfaceLanguage(app);
    // A walk keeps one folder handle per level; let deep trees have them.
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
    QApplication::setApplicationName(QStringLiteral("Pathquill"));
    QtMessageBoxes messages;
    TForm1 window(messages, SettingsPlace::At(TForm1::SettingsFilePath()),
                  argc > 1 ? std::string(argv[1]) : std::string());
    messages.SetParent(&window);
    window.show();
    return app.exec();
}
