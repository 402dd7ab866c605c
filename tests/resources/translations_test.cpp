#include <gtest/gtest.h>

#include <QFile>

#include <algorithm>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "platform/program_file.h"
#include "platform/translation_files.h"
#include "platform/translations.h"
#include "resources/strings.h"
#include "support/temp_tree.h"

namespace {

// Texts that read the same in English on purpose.
const std::set<std::string_view> kSameInEnglish = {
    "Pathquill", "OK", "Byte", "KB", "MB", "Kilobyte", "Megabyte", "Desktop", "Information", "&?",
    // The table's one text in English already.
    "Error: Program didn't establish existing drives"};

std::string ReadSource(const std::string& relative) {
    std::ifstream in(std::string(PATHQUILL_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::size_t Count(std::string_view text, std::string_view part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos;
         at = text.find(part, at + part.size()))
        ++n;
    return n;
}

// What a translation must keep of the German: placeholders, line breaks, an accelerator, and
// the blanks and colon a text is joined to others with.
std::string Shape(std::string_view text) {
    const auto edge = [](char c) { return c == ' ' || c == ':' || c == '\n'; };
    std::string tail;
    for (auto it = text.rbegin(); it != text.rend() && edge(*it); ++it)
        tail.insert(tail.begin(), *it);
    return "%s×" + std::to_string(Count(text, "%s")) + " lines×" +
           std::to_string(Count(text, "\n")) + " &×" + std::to_string(Count(text, "&")) +
           " ends '" + tail + "' starts blank " + std::to_string(text.starts_with(' '));
}

std::set<std::string> Anchors(const std::string& html, const char* pattern) {
    std::set<std::string> names;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(html.begin(), html.end(), re); it != std::sregex_iterator();
         ++it)
        names.insert((*it)[1]);
    return names;
}

} // namespace

// A number added to the table without its English shows up here by number, German and all.
TEST(Translations, EveryTextHasAnEnglishOneOfTheSameShape) {
    const std::vector<std::string> languages = TranslatedLanguages();
    ASSERT_NE(std::find(languages.begin(), languages.end(), "en"), languages.end());
    const std::map<int, std::string> english = TranslatedMessages("en");
    ASSERT_FALSE(english.empty());
    for (const int number : MessageNumbers()) {
        const std::string german(GermanMessageText(number));
        const auto it = english.find(number);
        if (it == english.end()) {
            ADD_FAILURE() << number << " \"" << german << "\" has no English translation";
            continue;
        }
        if (!kSameInEnglish.contains(german)) {
            EXPECT_NE(it->second, german) << number << " is still German";
        }
        EXPECT_EQ(Shape(it->second), Shape(german)) << number << " \"" << it->second << "\"";
    }
    EXPECT_TRUE(TranslatedMessages("xx").empty());
}

// A .qm file in the installed folder adds its language; the built-in ones stay.
TEST(Translations, InstalledFilesAddToTheBuiltInOnes) {
    TempTree t;
    const std::string installed = t.Root() + "/";
    ASSERT_TRUE(QFile::copy(QStringLiteral(":/translations/pathquill_en.qm"),
                            QString::fromStdString(installed + "pathquill_fr.qm")));
    t.File("pathquill_it.txt");
    const std::vector<std::string> folders = {installed, ":/translations/"};
    EXPECT_EQ(TranslatedLanguages(folders), (std::vector<std::string>{"en", "fr"}));
    EXPECT_EQ(TranslatedMessages("fr", folders), TranslatedMessages("en"));
    EXPECT_TRUE(TranslatedMessages("fr").empty());
    EXPECT_TRUE(TranslatedMessages("en", {installed}).empty());
}

// The English of a number is found by its German text: a changed German text is no longer
// translated until a translator has looked at it again.
TEST(Translations, LinguistFilesListEveryTextOfTheTable) {
    for (const char* file : {"translations/pathquill.ts", "translations/pathquill_en.ts"}) {
        const std::string text = ReadSource(file);
        ASSERT_FALSE(text.empty()) << file;
        EXPECT_EQ(UpdatedTranslationFile(text), text)
            << file
            << " is behind the string table: cmake --build build --target "
               "update_translations, then translate what is marked unfinished";
    }
    const std::string tmpl = ReadSource("translations/pathquill.ts");
    EXPECT_EQ(tmpl.find(" language="), std::string::npos) << "the template has no language";
    EXPECT_EQ(Count(tmpl, "<translation type=\"unfinished\"/>"), MessageNumbers().size());
}

TEST(Translations, UpdateKeepsWhatIsStillRightAndMarksTheRest) {
    const std::string old = R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS><TS version="2.1" language="fr" sourcelanguage="de"><context><name>Pathquill</name>
<message><source>&amp;Datei</source><comment>1</comment><translation>&amp;Fichier</translation></message>
<message><source>&amp;Suchen alt</source><comment>2</comment><translation>&amp;Chercher</translation></message>
<message><source>weg</source><comment>99999</comment><translation>parti</translation></message>
<message><source>Suche beendet.</source><comment>106</comment><translation type="vanished">x</translation></message>
</context></TS>)";
    const std::string updated = UpdatedTranslationFile(old);
    const auto message = [&](int number) {
        const std::string key = "<comment>" + std::to_string(number) + "</comment>";
        const std::size_t at = updated.find(key);
        return at == std::string::npos ? std::string()
                                       : updated.substr(at, updated.find("</message>", at) - at);
    };
    EXPECT_NE(updated.find("language=\"fr\""), std::string::npos);
    EXPECT_NE(message(1).find("<translation>&amp;Fichier</translation>"), std::string::npos);
    EXPECT_NE(message(2).find("<translation type=\"unfinished\">&amp;Chercher</translation>"),
              std::string::npos)
        << "German changed since";
    EXPECT_NE(message(106).find("<translation type=\"unfinished\"/>"), std::string::npos);
    EXPECT_EQ(message(99999), "");
    EXPECT_EQ(Count(updated, "<message>"), MessageNumbers().size());
    EXPECT_EQ(UpdatedTranslationFile(updated), updated);
}

TEST(HelpFiles, EveryLanguageHasEveryTopicAndLinksOnlyToThem) {
    const std::string german = ReadSource("resources/PATHQUILL.HLP");
    const std::set<std::string> topics = Anchors(german, R"(<a name="([^"]+)\")");
    for (const char* page : {"Suchen in", "Optionen", "Speichern unter", "Einstellungen"})
        EXPECT_TRUE(topics.contains(page)) << page;
    for (const char* file : {"resources/PATHQUILL.HLP", "resources/PATHQUILL.en.HLP"}) {
        const std::string html = ReadSource(file);
        EXPECT_EQ(Anchors(html, R"(<a name="([^"]+)\")"), topics) << file;
        for (const std::string& target : Anchors(html, R"(<a href="#([^"]+)\")"))
            EXPECT_TRUE(topics.contains(target)) << file << ": #" << target;
    }
}

TEST(HelpFiles, ChosenByLanguageFallingBackToGerman) {
    TempTree t;
    t.File("PATHQUILL.HLP");
    t.File("pathquill.EN.hlp");
    t.File("PATHQUILL.pt.HLP");
    const std::string folder = t.Root() + "/";
    const std::pair<const char*, std::string> cases[] = {
        {"de", "PATHQUILL.HLP"}, {"en", "pathquill.EN.hlp"},    {"pt_BR", "PATHQUILL.pt.HLP"},
        {"fr", "PATHQUILL.HLP"}, {"en_GB", "pathquill.EN.hlp"},
    };
    for (const auto& [language, name] : cases)
        EXPECT_EQ(HelpFileIn(folder, language), folder + name) << language;
}

TEST(UserLanguage, ChosenAsGettextDoes) {
    const std::vector<std::string> translated = {"en", "fr", "pt_BR"};
    struct Case {
        LanguageEnvironment env; // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
        const char* expected;
    } const cases[] = {
        {{"", "", "", "de_DE.UTF-8"}, "de"},
        {{"", "", "", "de_AT.UTF-8"}, "de"},
        {{"", "", "", "de_CH.ISO-8859-1@euro"}, "de"},
        {{"", "", "", "en_GB.UTF-8"}, "en"},
        {{"", "", "", "fr_FR.UTF-8"}, "fr"},
        {{"", "", "", "it_IT.UTF-8"}, "en"},
        {{"", "", "", "pt_BR.UTF-8"}, "pt_BR"},
        {{"", "", "", "pt_PT.UTF-8"}, "en"},
        {{"", "", "", "C"}, "en"},
        {{"", "", "", "C.UTF-8"}, "en"},
        {{"", "", "", "POSIX"}, "en"},
        {{"", "", "", ""}, "en"},
        {{"de:en", "", "", "en_GB.UTF-8"}, "de"},
        {{"it:de", "", "", "en_US.UTF-8"}, "de"},
        {{"it", "", "", "de_DE.UTF-8"}, "de"},
        {{"en_GB:de", "", "", "de_DE.UTF-8"}, "en"},
        {{"de", "", "", "C"}, "en"},
        {{"de", "C.UTF-8", "", "de_DE.UTF-8"}, "en"},
        {{"C:de", "", "", "de_DE.UTF-8"}, "en"},
        {{"", "de_DE.UTF-8", "en_GB.UTF-8", "en_GB.UTF-8"}, "de"},
        {{"", "", "en_GB.UTF-8", "de_DE.UTF-8"}, "en"},
        {{"", "", "de_DE.UTF-8", "C"}, "de"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseLanguage(c.env, translated), c.expected)
            << "LANGUAGE=" << c.env.language << " LC_ALL=" << c.env.lcAll
            << " LC_MESSAGES=" << c.env.lcMessages << " LANG=" << c.env.lang;
}
