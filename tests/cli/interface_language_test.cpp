// pathquill-list started as the user starts it: the language comes from the environment.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/child_process.h"
#include "support/temp_tree.h"

namespace {

using Environment = std::vector<std::string>;

ProgramRun List(const std::vector<std::string>& args, Environment env) {
    env.push_back("TZ=UTC");
    return RunProgram(PATHQUILL_LIST_PROGRAM, args, env);
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

TEST(InterfaceLanguage, FollowsTheEnvironmentAtStart) {
    const std::string german = "Aufruf: pathquill-list [OPTIONEN] ORDNER\n";
    const std::string english = "Usage: pathquill-list [OPTIONS] FOLDER\n";
    const std::string germanError = "pathquill-list: Unbekannte Option: --bogus\n";
    const std::string englishError = "pathquill-list: Unknown option: --bogus\n";
    const struct Case {
        Environment env;
        const std::string& help;
        const std::string& error;
    } cases[] = {
        {{"LANG=de_DE.UTF-8"}, german, germanError},
        {{"LANG=de_AT.UTF-8"}, german, germanError},
        {{"LANG=en_GB.UTF-8"}, english, englishError},
        {{"LANG=fr_FR.UTF-8"}, english, englishError},
        {{"LANG=C"}, english, englishError},
        {{"LANGUAGE=de:en", "LANG=en_GB.UTF-8"}, german, germanError},
    };
    for (const Case& c : cases) {
        const ProgramRun help = List({"--help"}, c.env);
        EXPECT_EQ(help.status, 0) << c.env[0];
        EXPECT_EQ(help.out.substr(0, help.out.find('\n') + 1), c.help) << c.env[0];
        const ProgramRun wrong = List({"--bogus"}, c.env);
        EXPECT_EQ(wrong.status, 2) << c.env[0];
        EXPECT_EQ(wrong.err.substr(0, wrong.err.find('\n') + 1), c.error) << c.env[0];
    }
}

// The German files are those of every earlier version, byte for byte; a British user with
// German regional settings gets the same rows under English captions.
TEST(InterfaceLanguage, SavedListsSpeakItAndKeepTheRegionalFormats) {
    TempTree tree;
    TempTree scratch{TreePlace::Disk};
    tree.File("a.txt", 1024);
    tree.File("sub/b.dat", 3000);
    tree.SetMode("sub/b.dat", 0444);
    for (const char* name : {"a.txt", "sub/b.dat"})
        tree.SetModified(name, 1709647629); // 05.03.2024 14:07:09 UTC
    const std::vector<std::string> plain = {"-s",     "-c",  "size,modified,attributes", "-u", "kb",
                                            "--sort", "name"};
    const std::vector<std::string> structure = {"--structure",           "explorer", "-c",
                                                "size,files,subfolders", "-u",       "mb"};
    const struct Case {
        std::vector<std::string> options;
        const char* file;
        std::string german;
        std::string englishHeader;
    } cases[] = {
        {plain, "x.csv",
         "\"Datei\";\"Größe\";\"Einheit\";\"geändert\";\"Attribute\"\r\n"
         "\"@/a.txt\";\"1,000\";\"KB\";\"05.03.2024 14:07:09\";\"\"\r\n"
         "\"@/sub/b.dat\";\"2,930\";\"KB\";\"05.03.2024 14:07:09\";\"R\"\r\n",
         "\"File\";\"Size\";\"Unit\";\"Modified\";\"Attributes\"\r\n"},
        {plain, "x.txt",
         "Datei;Größe;Einheit;geändert;Attribute\r\n"
         "@/a.txt;1,000;KB;05.03.2024 14:07:09;\r\n"
         "@/sub/b.dat;2,930;KB;05.03.2024 14:07:09;R\r\n",
         "File;Size;Unit;Modified;Attributes\r\n"},
        {structure, "s.txt",
         "Ordner;Größe;Einheit;Dateien;Unterordner\r\n"
         "@;0,003838;MB;2;1\r\n"
         "@/sub;0,002861;MB;1;0\r\n",
         "Folder;Size;Unit;Files;Subfolders\r\n"},
    };
    const Environment germanUser = {"LANG=de_DE.UTF-8"};
    const Environment britishUser = {"LANG=en_GB.UTF-8", "LC_TIME=de_DE.UTF-8",
                                     "LC_NUMERIC=de_DE.UTF-8"};
    for (const Case& c : cases) {
        const std::string german = Replaced(c.german, "@", tree.Root());
        const std::string rows = german.substr(german.find("\r\n") + 2);
        for (const auto& [env, expected] :
             {std::pair{germanUser, german}, std::pair{britishUser, c.englishHeader + rows}}) {
            const std::string out = scratch.Path(c.file);
            std::vector<std::string> args = c.options;
            args.insert(args.end(), {"-o", out, tree.Root()});
            const ProgramRun run = List(args, env);
            EXPECT_EQ(run.status, 0) << run.err;
            EXPECT_EQ(ReadAll(out), expected) << env[0] << " " << c.file;
        }
    }
}
