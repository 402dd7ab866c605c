#include "platform/translations.h"

#include <algorithm>

#include <QDir>
#include <QTranslator>
#include <set>

#include "platform/program_file.h"
#include "resources/strings.h"

namespace {
const QString kPrefix = QStringLiteral("pathquill_");
const QString kSuffix = QStringLiteral(".qm");
} // namespace

std::vector<std::string> TranslationFolders() {
    return {ProgramFolder() + "../share/pathquill/translations/", ":/translations/"};
}

std::vector<std::string> TranslatedLanguages(const std::vector<std::string>& folders) {
    std::set<std::string> languages;
    for (const std::string& folder : folders)
        for (const QString& name :
             QDir(QString::fromStdString(folder)).entryList({kPrefix + '*' + kSuffix}, QDir::Files))
            languages.insert(name.mid(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size())
                                 .toStdString());
    return {languages.begin(), languages.end()};
}

std::map<int, std::string> TranslatedMessages(const std::string& language,
                                              const std::vector<std::string>& folders) {
    std::map<int, std::string> texts;
    QTranslator translator;
    const QString file = kPrefix + QString::fromStdString(language) + kSuffix;
    const auto loaded = [&](const std::string& folder) {
        return translator.load(QString::fromStdString(folder) + file);
    };
    if (language.empty() || std::none_of(folders.begin(), folders.end(), loaded))
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
