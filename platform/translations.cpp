#include "platform/translations.h"

#include <QDir>
#include <QTranslator>

#include "resources/strings.h"

namespace {
const QString kFolder = QStringLiteral(":/translations/");
const QString kPrefix = QStringLiteral("pathquill_");
const QString kSuffix = QStringLiteral(".qm");
} // namespace

std::vector<std::string> TranslatedLanguages() {
    std::vector<std::string> languages;
    for (const QString& name : QDir(kFolder).entryList({kPrefix + '*' + kSuffix}, QDir::Files))
        languages.push_back(
            name.mid(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size()).toStdString());
    return languages;
}

std::map<int, std::string> TranslatedMessages(const std::string& language) {
    std::map<int, std::string> texts;
    QTranslator translator;
    if (!translator.load(kFolder + kPrefix + QString::fromStdString(language) + kSuffix))
        return texts;
    for (const int number : MessageNumbers()) {
        const std::string german(GermanMessageText(number));
        const QString text = translator.translate(kTranslationContext, german.c_str(),
                                                  std::to_string(number).c_str());
        if (!text.isEmpty())
            texts.emplace(number, text.toStdString());
    }
    return texts;
}

std::string UseLanguageOf(const LanguageEnvironment& environment) {
    std::string language = ChooseLanguage(environment, TranslatedLanguages());
    UseTranslatedMessages(language, language == "de" ? std::map<int, std::string>()
                                                     : TranslatedMessages(language));
    return language;
}

std::vector<LocalizedText> TextInEveryLanguage(int number) {
    const std::string german(GermanMessageText(number));
    const auto in = [&](const std::string& language) {
        const auto texts = TranslatedMessages(language);
        const auto it = texts.find(number);
        return it == texts.end() ? german : it->second;
    };
    std::vector<LocalizedText> texts{{"", in("en")}, {"de", german}};
    for (const std::string& language : TranslatedLanguages())
        if (language != "en")
            texts.push_back({language, in(language)});
    return texts;
}
