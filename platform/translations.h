#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/user_language.h"

// Translations of the string table live in Qt Linguist files built into the program: each
// message has this context, the German text as its source and its number as disambiguation.
inline constexpr const char* kTranslationContext = "Pathquill";

// Where the .qm files are looked for, first match wins: the installed ones
// (PREFIX/share/pathquill/translations, so a language added there needs no rebuild), then the
// ones built into the program.
std::vector<std::string> TranslationFolders();

// The languages with a translation ("en", …); German is not among them.
std::vector<std::string>
TranslatedLanguages(const std::vector<std::string>& folders = TranslationFolders());
// The translated texts of a language by number; empty for a language without translation.
std::map<int, std::string>
TranslatedMessages(const std::string& language,
                   const std::vector<std::string>& folders = TranslationFolders());

// Chooses the interface language from the environment and makes its texts those of MessageText.
// Returns the language chosen.
std::string UseLanguageOf(const LanguageEnvironment& environment);

// One wording of a text: language "" is the default (English), others are named by code.
struct LocalizedText {
    std::string language;
    std::string text;
};
// A table text in English first, then in German and in every other translated language.
std::vector<LocalizedText> TextInEveryLanguage(int number);
