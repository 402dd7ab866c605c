#include <list>

#include "resources/strings.h"

namespace {
struct Translation {
    std::string language;
    std::map<int, std::string> texts;
};

// Translations once in use are kept for the whole run: texts handed out stay valid.
struct Translations {
    std::list<Translation> kept;
    const Translation* current = nullptr;
};

Translations& InUse() {
    static Translations translations;
    return translations;
}
} // namespace

std::string_view MessageText(int number) {
    if (const Translation* t = InUse().current) {
        const auto it = t->texts.find(number);
        if (it != t->texts.end())
            return it->second;
    }
    return GermanMessageText(number);
}

std::string_view MessageLanguage() {
    const Translation* t = InUse().current;
    return t ? std::string_view(t->language) : std::string_view("de");
}

void UseTranslatedMessages(std::string language, std::map<int, std::string> texts) {
    Translations& in = InUse();
    in.kept.push_back({std::move(language), std::move(texts)});
    in.current = &in.kept.back();
}
