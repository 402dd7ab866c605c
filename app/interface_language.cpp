#include "app/interface_language.h"

#include <QLibraryInfo>
#include <QTranslator>

#include "platform/translations.h"

std::string UseInterfaceLanguage(QApplication& app) {
    const std::string language = UseLanguageOf(ProcessLanguageEnvironment());
    // Qt's own texts are English already.
    if (language != "en") {
        auto* qtTexts = new QTranslator(&app);
        if (qtTexts->load(QStringLiteral("qtbase_") + QString::fromStdString(language),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QApplication::installTranslator(qtTexts);
    }
    return language;
}
