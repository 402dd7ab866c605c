#include <gtest/gtest.h>

#include <filesystem>

#include "cli/list_options.h"
#include "cli/progress_line.h"
#include "results/columns.h"
#include "support/local_clock.h"
#include "support/temp_tree.h"
#include "tests/cli/cli_capture.h"

namespace {

const std::string kHint = "\u201Epathquill-list --help\u201C zeigt die Aufrufmöglichkeiten.\n";

class ListCommand : public ::testing::Test {
  protected:
    TempTree tree;    // what is searched
    TempTree scratch{TreePlace::Disk}; // where output goes
    void SetUp() override {
        tree.File("b.txt", 2048);
        tree.File("a.txt", 1024);
        tree.File("sub/c.txt", 3000);
        tree.File("sub/d.dat", 5);
    }
};

} // namespace

TEST_F(ListCommand, UsageErrorsExitWithTwoAndNameTheProblem) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--bogus", tree.Root()}, "Unbekannte Option: --bogus"},
        {{tree.Root(), "-m"}, "Wert fehlt für Option -m"},
        {{"-u", "gb", tree.Root()}, "Ungültiger Wert für Option -u: gb"},
        {{"--structure=tree", tree.Root()}, "Ungültiger Wert für Option --structure: tree"},
        {{"-c", "size,colour", tree.Root()}, "Ungültiger Wert für Option -c: size,colour"},
        {{"--sort", "size:up", tree.Root()}, "Ungültiger Wert für Option --sort: size:up"},
        {{"--threads", "0", tree.Root()}, "Ungültiger Wert für Option --threads: 0"},
        {{"--threads=5", tree.Root()}, "Ungültiger Wert für Option --threads: 5"},
        {{"--subfolders=yes", tree.Root()}, "Unbekannte Option: --subfolders=yes"},
        {{tree.Root(), "other"}, "Zu viele Ordner angegeben: other"},
        {{"--all-drives", tree.Root()}, "Zu viele Ordner angegeben: " + tree.Root()},
        {{"-s"}, "Kein Laufwerk oder Ordner zum Suchen ausgewählt."},
    };
    for (const auto& [args, message] : cases) {
        const CliRun run = RunCli(scratch, args);
        EXPECT_EQ(run.status, 2) << message;
        EXPECT_EQ(run.err, "pathquill-list: " + message + "\n" + kHint);
        EXPECT_EQ(run.out, "");
    }
}

TEST_F(ListCommand, RefusalsExitWithTwoAndTheWindowsMessage) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{tree.Path("missing")}, "Ausgewählter Ordner existiert nicht."},
        {{tree.Path("a.txt")}, "Ausgewählter Ordner existiert nicht."},
        {{"-m", "   ", tree.Root()}, "Geben Sie bitte einen Dateinamen oder eine Suchmaske ein."},
        {{"--sort", "modified", tree.Root()}, "Die Sortierspalte wird nicht angezeigt: modified"},
    };
    for (const auto& [args, message] : cases) {
        const CliRun run = RunCli(scratch, args);
        EXPECT_EQ(run.status, 2) << message;
        EXPECT_EQ(run.err, "pathquill-list: " + message + "\n");
        EXPECT_EQ(run.out, "");
    }
}

TEST_F(ListCommand, NothingFoundExitsWithOneAndWritesNoFile) {
    const CliRun run = RunCli(scratch, {"-s", "-m", "*.none", "-o", "list.txt", tree.Root()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "pathquill-list: Suchziel nicht gefunden.\n");
    EXPECT_FALSE(std::filesystem::exists(scratch.Path("list.txt")));
}

// Lines go to standard output as they are found; nothing at all when nothing is found, and a
// failed write is a refusal.
TEST_F(ListCommand, StandardOutputIsWrittenAsRowsAreFound) {
    const CliRun none = RunCli(scratch, {"-s", "--date-line", "-m", "*.none", tree.Root()});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "pathquill-list: Suchziel nicht gefunden.\n");

    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    const std::string errFile = scratch.Path("full.err");
    const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ListStreams streams;
    streams.out = full;
    streams.err = err;
    EXPECT_EQ(RunListCommand({"-s", tree.Root()}, streams), 2);
    ::close(full);
    ::close(err);
    EXPECT_EQ(ReadBytes(errFile),
              "pathquill-list: Datei geöffnet oder Objekt zum Speichern ungeeignet!\n");
}

TEST_F(ListCommand, PlainListingOnStandardOutputInTheTextLayout) {
    const CliRun run = RunCli(scratch, {"--mask", "*.txt", "-s", "-c", "size", tree.Root()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    // Enumeration order is the file system's; the lines themselves are fixed.
    EXPECT_TRUE(run.out.starts_with("Datei;Größe;Einheit\r\n"));
    for (const std::string& line :
         {tree.Path("a.txt") + ";1.024;Byte\r\n", tree.Path("b.txt") + ";2.048;Byte\r\n",
          tree.Path("sub/c.txt") + ";3.000;Byte\r\n"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line;
    EXPECT_EQ(run.out.find("d.dat"), std::string::npos);
    // The folder's own files come before the subfolder's.
    EXPECT_LT(run.out.find("b.txt"), run.out.find("sub/c.txt"));
}

TEST_F(ListCommand, SortsAsTheFirstHeaderClickDoes) {
    const std::string a = tree.Path("a.txt"), b = tree.Path("b.txt");
    const auto order = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = {"-m", "*.txt", "-c", "size"};
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back(tree.Root());
        const CliRun run = RunCli(scratch, args);
        EXPECT_EQ(run.status, 0);
        return run.out.find(a) < run.out.find(b) ? "ab" : "ba";
    };
    EXPECT_EQ(order({"--sort", "name"}), std::string("ab")); // name: ascending after start-up
    EXPECT_EQ(order({"--sort", "name:desc"}), std::string("ba"));
    EXPECT_EQ(order({"--sort", "size"}), std::string("ba")); // others: descending first
    EXPECT_EQ(order({"--sort=size:asc"}), std::string("ab"));
}

TEST_F(ListCommand, EveryThreadCountWritesTheSameBytes) {
    const std::vector<std::string> args = {"-s", "-c", "size,modified,attributes", tree.Root()};
    const CliRun alone = RunCli(scratch, [&] {
        std::vector<std::string> a = {"--threads", "1"};
        a.insert(a.end(), args.begin(), args.end());
        return a;
    }());
    ASSERT_EQ(alone.status, 0);
    for (const char* threads : {"2", "4"}) {
        std::vector<std::string> a = {"--threads", threads};
        a.insert(a.end(), args.begin(), args.end());
        const CliRun run = RunCli(scratch, a);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, alone.out) << threads << " threads";
    }
}

TEST_F(ListCommand, CsvFileWithDateLineRelativeToTheWorkingFolder) {
    const CliRun run = RunCli(
        scratch,
        {"-m", "a.txt", "-u", "kb", "-c", "size", "--date-line", "-o", "Liste.CSV", tree.Root()},
        LocalClock(2003, 12, 24, 13, 45));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadBytes(scratch.Path("Liste.CSV")),
              "24.12.2003, 13:45\r\n\"Datei\";\"Größe\";\"Einheit\"\r\n\"" + tree.Path("a.txt") +
                  "\";\"1,000\";\"KB\"\r\n");
}

TEST_F(ListCommand, AFailedWriteIsARefusal) {
    const CliRun run =
        RunCli(scratch, {"-o", scratch.Path("no/such/folder/list.txt"), tree.Root()});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "pathquill-list: Datei geöffnet oder Objekt zum Speichern ungeeignet!\n");
}

TEST_F(ListCommand, HelpAndVersionGoToStandardOutput) {
    const CliRun help = RunCli(scratch, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Aufruf: pathquill-list [OPTIONEN] ORDNER\n"));
    EXPECT_NE(help.out.find("--structure MODUS"), std::string::npos);
    const CliRun version = RunCli(scratch, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.starts_with("pathquill-list "));
    EXPECT_EQ(version.err, "");
}

TEST_F(ListCommand, StructureListingCountsEveryFolder) {
    const CliRun run =
        RunCli(scratch, {"--structure", "single", "-c", "files,subfolders,type", tree.Root()});
    EXPECT_EQ(run.status, 0);
    // No type column in a structure listing, as the window disables it there.
    EXPECT_EQ(run.out, "Ordner;Dateien;Unterordner\r\n" + tree.Root() + ";2;1\r\n" +
                           tree.Path("sub") + ";2;0\r\n");
}

TEST(ListOptions, TheLayoutsDropWhatTheWindowDisables) {
    SearchOptions all;
    all.showSize = all.showType = all.showModified = all.showCreated = all.showLastAccess = true;
    all.showFileCount = all.showSubfolderCount = all.showAttributes = all.showShortName = true;
    const auto captions = [](const SearchOptions& o) {
        std::string joined;
        for (const ColumnSpec& c : BuildColumnSet(AsWindowWouldHoldThem(o)))
            joined += c.caption + "|";
        return joined;
    };
    EXPECT_EQ(captions(all), "Datei|Größe (Byte)|Typ|geändert|erstellt|letzter Zugriff|Attribute|"
                             "kurzer Name|");
    SearchOptions onlyFolders = all;
    onlyFolders.onlyFolders = true;
    onlyFolders.sizeUnit = 2;
    EXPECT_EQ(captions(onlyFolders), "Ordner|Größe (MB)|");
    SearchOptions structure = all;
    structure.structureMode = ModeExplorer;
    EXPECT_EQ(captions(structure),
              "Ordner|Größe (Byte)|erstellt|Dateien|Unterordner|Attribute|kurzer Name|");
}

TEST(ListOptions, ValuesInEveryForm) {
    const ParsedArguments p =
        ParseListArguments({"-mabc", "--unit=mb", "--columns", "size,,created", "--", "-folder"});
    ASSERT_TRUE(p.arguments) << p.error;
    EXPECT_EQ(p.arguments->mask, "abc");
    EXPECT_EQ(p.arguments->options.sizeUnit, 2);
    EXPECT_TRUE(p.arguments->options.showSize);
    EXPECT_TRUE(p.arguments->options.showCreated);
    EXPECT_FALSE(p.arguments->options.showType);
    EXPECT_EQ(p.arguments->folder, "-folder");
}

TEST(ProgressLine, CountAndPathShortenedFromTheLeft) {
    EXPECT_EQ(ProgressLine::Text(12, "/home/user/file.txt", 80),
              "12 Einträge  /home/user/file.txt");
    const std::string narrow = ProgressLine::Text(12345, "/home/user/photos/2003/file.txt", 30);
    EXPECT_EQ(narrow, "12345 Einträge  /.../file.txt");
}

namespace {
std::chrono::steady_clock::time_point progressNow;
std::chrono::steady_clock::time_point ProgressClock() {
    return progressNow;
}
} // namespace

TEST(ProgressLine, AtMostTenTimesASecondAndWipedAtTheEnd) {
    TempTree scratch;
    const std::string file = scratch.Path("progress");
    {
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        ProgressLine line(fd, 80, &ProgressClock);
        line.Show(1, "/a");
        progressNow += std::chrono::milliseconds(99);
        line.Show(2, "/b"); // within 100 ms of the first: not drawn
        progressNow += std::chrono::milliseconds(1);
        line.Show(3, "/c");
        line.Clear();
        ::close(fd);
    }
    EXPECT_EQ(ReadBytes(file), "\r\033[K1 Einträge  /a\r\033[K3 Einträge  /c\r\033[K");
}

TEST_F(ListCommand, RelativeFolderIsNamedAsTheFolderTreeWouldNameIt) {
    TempTree other;
    other.File("x.dat", 1);
    const std::string relative =
        std::filesystem::relative(other.Path("."), scratch.Root()).string() + "/./../" +
        std::filesystem::path(other.Root()).filename().string() + "/";
    const CliRun run = RunCli(scratch, {relative});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Datei\r\n" + other.Path("x.dat") + "\r\n");
}
