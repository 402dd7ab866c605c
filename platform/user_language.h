#pragma once
#include <string>
#include <vector>

// The environment values that choose the language of the user interface, as gettext reads them.
struct LanguageEnvironment {
    std::string language;   // LANGUAGE: a list such as "de:en"
    std::string lcAll;      // LC_ALL
    std::string lcMessages; // LC_MESSAGES
    std::string lang;       // LANG
};

LanguageEnvironment ProcessLanguageEnvironment();

// "de" (the program's own texts), one of the translated languages, or "en". LANGUAGE comes first
// unless the locale is C or POSIX; a language is matched with its country ("pt_BR"), then without.
std::string ChooseLanguage(const LanguageEnvironment& environment,
                           const std::vector<std::string>& translatedLanguages);
