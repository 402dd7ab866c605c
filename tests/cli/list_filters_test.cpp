#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstdlib>
#include <sys/stat.h>

#include "resources/strings.h"
#include "save/json_lines.h"
#include "support/child_process.h"
#include "support/local_clock.h"
#include "tests/cli/cli_capture.h"

namespace {

const std::string kHint = "\u201Epathquill-list --help\u201C zeigt die Aufrufmöglichkeiten.\n";

// Arguments without blanks, written as one text.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        words.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return words;
}

std::vector<std::string> Lines(const std::string& text, std::string_view end = "\r\n") {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t next = text.find(end, at);
        lines.push_back(text.substr(at, next - at));
        at = next == std::string::npos ? text.size() : next + end.size();
    }
    return lines;
}

// One tree for every filter. Times are local, so the bounds mean the same in every zone.
class ListFilters : public ::testing::Test {
  protected:
    TempTree tree;
    TempTree scratch{TreePlace::Disk};

    void SetUp() override {
        for (const std::string& file :
             Words("a.jpg:1024 b.png:2048 c.txt:1023 .git/config:100 "
                   "node_modules/m/index.js:300 src/main.cpp:400 "
                   "src/pic.JPG:4096 src/node_modules/y.js:50 big.iso:5368709120")) {
            const std::string name = file.substr(0, file.find(':'));
            tree.File(name, std::stoll(file.substr(file.find(':') + 1)));
            tree.SetModified(name, LocalClock(2025, 6, 1, 0, 0));
        }
        tree.SetModified("a.jpg", LocalClock(2024, 1, 1, 0, 0));
        tree.SetModified("b.png", LocalClock(2024, 1, 1, 12, 0));
        tree.SetModified("c.txt", LocalClock(2023, 12, 31, 23, 59, 59));
        tree.SetModified("big.iso", LocalClock(2023, 6, 1, 0, 0));
    }

    // The rows' lines without the header, the tree's root left out ("." for the root itself),
    // sorted, as the same search gives them with one reading thread and with four.
    std::vector<std::string> Listed(std::vector<std::string> args, int* status = nullptr) {
        args.push_back(tree.Root());
        std::vector<std::string> first;
        for (const char* threads : {"1", "4"}) {
            std::vector<std::string> a = {"--threads", threads};
            a.insert(a.end(), args.begin(), args.end());
            const CliRun run = RunCli(scratch, a);
            if (status)
                *status = run.status;
            std::vector<std::string> rows = Lines(run.out);
            if (!rows.empty())
                rows.erase(rows.begin());
            for (std::string& row : rows)
                row = row.starts_with(tree.Root() + "/") ? row.substr(tree.Root().size() + 1)
                      : row.starts_with(tree.Root())     ? "." + row.substr(tree.Root().size())
                                                         : row;
            std::sort(rows.begin(), rows.end());
            if (threads[0] == '1')
                first = rows;
            else
                EXPECT_EQ(rows, first) << "with four threads";
        }
        return first;
    }
};

} // namespace

TEST_F(ListFilters, EachOptionAloneAndCombined) {
    using Rows = std::vector<std::string>;
    const std::pair<std::vector<std::string>, Rows> cases[] = {
        // Several masks: ";" lists and repeated -m, blanks and empty masks ignored.
        {Words("-s -m *.jpg;*.png"), {"a.jpg", "b.png", "src/pic.JPG"}},
        {Words("-s -m *.jpg -m *.png"), {"a.jpg", "b.png", "src/pic.JPG"}},
        {{"-s", "-m", " *.jpg ;; *.png ;"}, {"a.jpg", "b.png", "src/pic.JPG"}},
        // A folder row for a name that contains any of the masks, with its whole total.
        {Words("-s -m git;modules -c size"),
         {".git;100;Byte", "node_modules;300;Byte", "src/node_modules;50;Byte"}},
        // Exclusions: not listed, not entered, anywhere in the tree.
        {Words("-s -m *.js;*.cpp"),
         {"node_modules/m/index.js", "src/main.cpp", "src/node_modules/y.js"}},
        {Words("-s -m *.js;*.cpp --exclude node_modules"), {"src/main.cpp"}},
        {Words("-s --exclude .git;NODE_modules;*.iso"),
         {"a.jpg", "b.png", "c.txt", "src/main.cpp", "src/pic.JPG"}},
        {Words("-s --exclude .git --exclude node_modules --exclude *.iso"),
         {"a.jpg", "b.png", "c.txt", "src/main.cpp", "src/pic.JPG"}},
        {Words("-s -m src -c size"), {"src;4.546;Byte"}},
        {Words("-s -m src -c size --exclude node_modules"), {"src;4.496;Byte"}},
        // Sizes: inclusive bounds, suffixes of 1024, beyond 4 GiB.
        {Words("--min-size 1K"), {"a.jpg", "b.png", "big.iso"}},
        {Words("--max-size 1K"), {"a.jpg", "c.txt"}},
        {Words("--min-size 1024 --max-size 1024"), {"a.jpg"}},
        {Words("--min-size 4G"), {"big.iso"}},
        {Words("--min-size 5120M --max-size 5G"), {"big.iso"}},
        {Words("--max-size 4G"), {"a.jpg", "b.png", "c.txt"}},
        // Times: --newer at or after, --older strictly before.
        {Words("--newer 2024-01-01"), {"a.jpg", "b.png"}},
        {Words("--older 2024-01-01"), {"big.iso", "c.txt"}},
        {Words("--newer 2024-01-01T12:00"), {"b.png"}},
        {Words("--older 2024-01-01T12:00:00"), {"a.jpg", "big.iso", "c.txt"}},
        {Words("--newer 2023-12-31T23:59:59 --older 2024-01-01T00:00:01"), {"a.jpg", "c.txt"}},
        // Combined; folder rows stay whatever the bounds say.
        {Words("-s -m *.jpg;*.png --exclude src --newer 2024-01-01 --min-size 2K"), {"b.png"}},
        {Words("-s -m modules -c size --min-size 1G --older 2000-01-01"),
         {"node_modules;300;Byte", "src/node_modules;50;Byte"}},
        // Totals of the folder listings leave the excluded folders out.
        {Words("--only-folders -s -m *.js;*.cpp"),
         {"node_modules/m;300;Byte", "src/node_modules;50;Byte", "src;4.546;Byte"}},
        {Words("--only-folders -s -m *.js;*.cpp --exclude node_modules"), {"src;4.496;Byte"}},
        {Words("--structure explorer -c size,files,subfolders --exclude node_modules"),
         {".;5.368.717.811;Byte;7;2", ".git;100;Byte;1;0", "src;4.496;Byte;2;0"}},
        {Words("--structure single -c size,files,subfolders --exclude node_modules"),
         {".;5.368.713.215;Byte;4;2", ".git;100;Byte;1;0", "src;4.496;Byte;2;0"}},
    };
    for (const auto& [args, rows] : cases) {
        std::string shown;
        for (const std::string& a : args)
            shown += a + " ";
        EXPECT_EQ(Listed(args), rows) << shown;
    }
    int status = -1;
    EXPECT_EQ(Listed({"-m", "*.jpg", "--exclude", "a.*"}, &status), std::vector<std::string>());
    EXPECT_EQ(status, 1);
}

TEST_F(ListFilters, RefusalsExitWithTwoAndSayWhatIsWrong) {
    const std::string size = "erwartet: ganze Zahl, wahlweise mit K, M oder G, zum Beispiel 500K";
    const std::string when =
        "erwartet: JJJJ-MM-TT oder JJJJ-MM-TTTHH:MM[:SS], zum Beispiel 2024-03-01T08:30";
    const std::string filters = "Größen- und Datumsfilter wählen Dateizeilen aus und sind mit "
                                "--structure oder --only-folders nicht möglich: ";
    std::vector<std::pair<std::vector<std::string>, std::string>> usage = {
        {{"--min-size", "2K", "--max-size", "1K"},
         "Die Mindestgröße (--min-size) ist größer als die Höchstgröße (--max-size)."},
        {{"--structure", "explorer", "--newer", "2024-01-01"}, filters + "--newer"},
        {{"--structure", "single", "--max-size", "1"}, filters + "--max-size"},
        {{"--only-folders", "--older", "2024-01-01", "--min-size", "1"}, filters + "--min-size"},
        {{"--format", "json"}, "Ungültiger Wert für Option --format: json"}};
    const std::pair<const char*, const char*> malformed[] = {{"--min-size", "10X"},
                                                             {"--min-size", "10k"},
                                                             {"--max-size", "-5"},
                                                             {"--max-size", ""},
                                                             {"--max-size", "1.5M"},
                                                             {"--min-size", "9999999999G"},
                                                             {"--newer", "2024-02-30"},
                                                             {"--newer", "2023-02-29"},
                                                             {"--older", "2024-1-01"},
                                                             {"--older", "2024-01-01T24:00"},
                                                             {"--older", "2024-01-01 12:00"},
                                                             {"--newer", "2024-01-01T12:00:60"}};
    for (const auto& [option, value] : malformed)
        usage.push_back({{std::string(option) + "=" + value},
                         "Ungültiger Wert für Option " + std::string(option) + ": " + value + " (" +
                             (std::string(option).ends_with("size") ? size : when) + ")"});
    for (const auto& [args, message] : usage) {
        std::vector<std::string> a = args;
        a.push_back(tree.Root());
        const CliRun run = RunCli(scratch, a);
        EXPECT_EQ(run.status, 2) << message;
        EXPECT_EQ(run.err, "pathquill-list: " + message + "\n" + kHint);
        EXPECT_EQ(run.out, "");
    }
    // A mask text of nothing but separators holds no mask.
    const CliRun run = RunCli(scratch, {"-m", " ; ;", tree.Root()});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "pathquill-list: Geben Sie bitte einen Dateinamen oder eine Suchmaske ein.\n");
}

// Parsed back: bytes and times as numbers whatever the list shows, keys in column order.
TEST_F(ListFilters, JsonLinesReadBack) {
    const std::string bad = tree.File("bad\xff.bin", 7);
    const std::vector<std::string> args = Words("-s -m *.iso;*.bin;a.jpg -u mb -c "
                                                "size,created,modified,type --date-line --sort "
                                                "size:asc --format jsonl");
    std::vector<std::string> withRoot = args;
    withRoot.push_back(tree.Root());
    const CliRun run = RunCli(scratch, withRoot);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out, "\n");
    ASSERT_EQ(lines.size(), 3u) << run.out; // no date line, no header
    const std::pair<std::string, std::int64_t> expected[] = {
        {bad, 7}, {tree.Path("a.jpg"), 1024}, {tree.Path("big.iso"), std::int64_t{5} << 30}};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        QJsonParseError error{};
        const QJsonObject o =
            QJsonDocument::fromJson(QByteArray::fromStdString(line), &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << line;
        const auto& [path, size] = expected[i];
        const bool raw = path == bad;
        EXPECT_EQ(o.value("path").toString().toStdString(),
                  raw ? tree.Path("bad\uFFFD.bin") : path);
        EXPECT_EQ(QByteArray::fromBase64(o.value("path_bytes").toString().toLatin1()).toStdString(),
                  raw ? path : "");
        EXPECT_EQ(o.value("size").toInteger(-1), size) << line;
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(o.value("modified").toString().toStdString(), IsoLocalTime(st.st_mtime));
        // Absent where the file system records no birth time.
        struct statx sx {};
        const bool born = ::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &sx) == 0 &&
                          (sx.stx_mask & STATX_BTIME);
        EXPECT_EQ(o.contains("created"), born) << line;
        if (born) {
            EXPECT_EQ(o.value("created").toString().toStdString(),
                      IsoLocalTime(static_cast<std::time_t>(sx.stx_btime.tv_sec)));
        }
        const std::size_t at[] = {line.find("\"path\""), line.find("\"size\""),
                                  line.find("\"type\""), line.find("\"modified\""),
                                  line.find("\"created\"")};
        EXPECT_TRUE(std::is_sorted(std::begin(at), std::end(at))) << line;
    }
    // /proc records no birth time.
    EXPECT_EQ(RunCli(scratch, Words("-m status -c created,size --format jsonl /proc/self")).out,
              "{\"path\":\"/proc/self/status\",\"size\":0}\n");
    // The same as a file named .jsonl, in any letter case.
    std::vector<std::string> toFile(args.begin(), args.end() - 2);
    toFile.insert(toFile.end(), {"-o", "list.JSONL", tree.Root()});
    ASSERT_EQ(RunCli(scratch, toFile).status, 0);
    EXPECT_EQ(ReadBytes(scratch.Path("list.JSONL")), run.out);
}

// The offset in the text is the one the zone had at that moment, not today's. Unsorted, the
// lines go out as they are found.
TEST_F(ListFilters, JsonLinesTimesInAFixedZone) {
    tree.SetModified("a.jpg", 1704063600); // 2024-01-01 00:00 in Berlin, winter time
    tree.SetModified("b.png", 1719784800); // 2024-07-01 00:00 in Berlin, summer time
    std::vector<std::string> lines =
        Lines(RunInChild([&] {
                  ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
                  ::tzset();
                  return RunCli(scratch, {"-m", "a.jpg;b.png", "-c", "modified", "--format",
                                          "jsonl", tree.Root()})
                      .out;
              }),
              "\n");
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines,
              (std::vector<std::string>{"{\"path\":\"" + tree.Path("a.jpg") +
                                            "\",\"modified\":\"2024-01-01T00:00:00+01:00\"}",
                                        "{\"path\":\"" + tree.Path("b.png") +
                                            "\",\"modified\":\"2024-07-01T00:00:00+02:00\"}"}));
}

// Every option has its paragraph in the help, each but those of the help itself with an example.
TEST(ListHelp, EveryOptionWithAnExample) {
    std::vector<std::string> paragraphs;
    for (const std::string& line : Lines(std::string(MessageText(204)), "\n")) {
        const std::size_t indent = line.find_first_not_of(' ');
        if (indent <= 6 && line[indent] == '-')
            paragraphs.push_back(line.substr(indent));
        else if (indent > 6 && indent != std::string::npos && !paragraphs.empty())
            paragraphs.back() += line;
    }
    std::string names;
    for (const std::string& p : paragraphs) {
        names += p.substr(0, p.find_first_of(" ", p.starts_with("-") && p[2] == ',' ? 4 : 0)) + " ";
        if (!p.starts_with("-h") && !p.starts_with("--version")) {
            EXPECT_NE(p.find("z. B. "), std::string::npos) << p;
        }
    }
    EXPECT_EQ(names, "-m, --mask --all-drives -s, --subfolders --only-folders --structure -c, "
                     "--columns -u, --unit --sort --exclude --min-size --max-size --newer --older "
                     "--date-line --threads --format -o, --output -h, --help --version ");
}
