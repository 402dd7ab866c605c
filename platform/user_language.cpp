#include "platform/user_language.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace {
constexpr std::string_view kSourceLanguage = "de";
constexpr std::string_view kFallbackLanguage = "en";

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool IsPlainLocale(std::string_view locale) {
    return locale == "C" || locale == "POSIX" || locale.starts_with("C.");
}

// "de_AT.UTF-8@euro" → "de_AT"
std::string_view WithoutCodesetAndModifier(std::string_view name) {
    return name.substr(0, name.find_first_of(".@"));
}

std::optional<std::string> Match(std::string_view name,
                                 const std::vector<std::string>& translated) {
    const std::string_view full = WithoutCodesetAndModifier(name);
    const std::string_view base = full.substr(0, full.find('_'));
    if (base == kSourceLanguage)
        return std::string(kSourceLanguage);
    for (const std::string_view candidate : {full, base})
        if (std::find(translated.begin(), translated.end(), candidate) != translated.end())
            return std::string(candidate);
    return std::nullopt;
}
} // namespace

LanguageEnvironment ProcessLanguageEnvironment() {
    return {Env("LANGUAGE"), Env("LC_ALL"), Env("LC_MESSAGES"), Env("LANG")};
}

std::string ChooseLanguage(const LanguageEnvironment& environment,
                           const std::vector<std::string>& translatedLanguages) {
    std::string_view locale;
    for (const std::string* value :
         {&environment.lcAll, &environment.lcMessages, &environment.lang})
        if (!value->empty()) {
            locale = *value;
            break;
        }
    // As with gettext, the C locale has the untranslated texts whatever LANGUAGE says; ours are
    // English there, the language most users can read.
    if (locale.empty() || IsPlainLocale(locale))
        return std::string(kFallbackLanguage);
    std::string_view list = environment.language;
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        const std::string_view entry = list.substr(0, colon);
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
        if (IsPlainLocale(entry))
            return std::string(kFallbackLanguage);
        if (!entry.empty())
            if (auto found = Match(entry, translatedLanguages))
                return *found;
    }
    return Match(locale, translatedLanguages).value_or(std::string(kFallbackLanguage));
}
