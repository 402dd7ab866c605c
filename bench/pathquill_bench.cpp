// The benchmark: every figure against its anchor, measured in one run on the same tree.
//   pathquill_bench all TREE SMALL_TREE RUNS FLAT CHAIN   the whole table (bench.sh calls this)
//   pathquill_bench window FOLDER                one window search; prints seconds, rows, longest
//                                                stall, name sort, save, peak KiB, then the CPU
//                                                seconds of the search (all threads', the
//                                                window's), of the sort and of the save
//   pathquill_bench sort TREE COLUMN             one header click on a million rows (profiling)
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "app/message_boxes.h"
#include "app/tform1.h"
#include "bench/stderr_boxes.h"
#include "cli/list_command.h"
#include "results/column_sort_state.h"
#include "results/columns.h"
#include "results/result_model.h"
#include "results/row_builder.h"
#include "save/result_writer.h"
#include "search/read_ahead.h"
#include "search/search_thread.h"
#include "trees/look_in_tree.h"

namespace {

// The process's peak resident memory so far.
long PeakKB() {
    long kb = 0;
    if (FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "VmHWM: %ld", &kb) == 1)
                break;
        std::fclose(f);
    }
    return kb;
}

double CpuSeconds(clockid_t clock) {
    timespec t{};
    ::clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// One window search from the start command to "Suche beendet.", with a timer on the window
// thread that notices how long the thread was kept from it.
int WindowSearch(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_ALL, "");
    StderrBoxes boxes;
    TForm1 window(boxes);
    window.stLookIn->SelectPath(argv[2]);
    for (QCheckBox* b : {window.ckbShowSize, window.ckbShowDateTime, window.ckbShowAttributes,
                         window.ckbIncludeSubfolders})
        b->setChecked(true);
    window.cbLookfor->setEditText(QStringLiteral("*.*"));
    // The window's own event loop, asleep between events as in use; a timer every 5 ms notices
    // how long the thread was kept from it and when the search has ended.
    QEventLoop loop;
    QElapsedTimer tick;
    qint64 longestGap = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &timer, [&] {
        longestGap = std::max(longestGap, tick.restart());
        if (window.StatusPanel0->text() == QStringLiteral("Suche beendet."))
            loop.quit();
    });
    QElapsedTimer clock;
    clock.start();
    window.btnSearchClick();
    tick.start();
    timer.start(5);
    loop.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    longestGap = std::max(longestGap, tick.elapsed());
    const long peakKB = PeakKB(); // what the rows cost, before a sort needs more for a moment
    const double cpu = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    const double windowCpu = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    // A click on the name header, then the save command's writer, as the user would go on.
    clock.restart();
    double cpuBefore = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    window.ListView1ColumnClick(0);
    const double sort = clock.nsecsElapsed() / 1e9;
    const double sortCpu = CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - cpuBefore;
    const std::string csv = std::filesystem::absolute(std::string(argv[2]) + "-window.csv");
    clock.restart();
    cpuBefore = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    window.WriteFile(csv);
    const double save = clock.nsecsElapsed() / 1e9;
    const double saveCpu = CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - cpuBefore;
    std::filesystem::remove(csv);
    std::printf("%.6f %d %lld %.6f %.6f %ld %.3f %.3f %.3f %.3f\n", seconds,
                window.Results->rowCount(), static_cast<long long>(longestGap), sort, save, peakKB,
                cpu, windowCpu, sortCpu, saveCpu);
    return 0;
}

struct Child {
    double seconds = 0;
    long maxRssKB = 0;
    std::string out;
    bool exitedZero = false;
};

// Runs a program with its standard output caught (or thrown away) and its standard error
// thrown away.
Child Spawn(const std::vector<std::string>& args, bool catchOutput) {
    int pipeFds[2] = {-1, -1};
    if (catchOutput && ::pipe(pipeFds) != 0)
        std::perror("pipe");
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(catchOutput ? pipeFds[1] : null, 1);
        ::dup2(null, 2);
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    Child c;
    if (catchOutput) {
        ::close(pipeFds[1]);
        char buf[4096];
        ssize_t n;
        while ((n = ::read(pipeFds[0], buf, sizeof buf)) > 0)
            c.out.append(buf, static_cast<std::size_t>(n));
        ::close(pipeFds[0]);
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    c.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    c.maxRssKB = usage.ru_maxrss;
    c.exitedZero = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!c.exitedZero && args[0] != "sh")
        std::fprintf(stderr, "%s exited with %d\n", args[0].c_str(), status);
    return c;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Empties the page cache, so the next run reads the disk; false where that is not allowed.
bool DropCaches() {
    ::sync();
    const int fd = ::open("/proc/sys/vm/drop_caches", O_WRONLY | O_CLOEXEC);
    const bool dropped = fd >= 0 && ::write(fd, "3\n", 2) == 2;
    if (fd >= 0)
        ::close(fd);
    return dropped;
}

bool Installed(const std::string& program) {
    return Spawn({"sh", "-c", "command -v " + program}, false).exitedZero;
}

// Commands run in turn, so a change of load falls on all of them; the median of each.
// before runs ahead of every run.
std::vector<double> InTurn(int runs, const std::vector<std::vector<std::string>>& commands,
                           const std::function<bool()>& before = {}) {
    std::vector<std::vector<double>> t(commands.size());
    for (int i = 0; i < runs; ++i)
        for (std::size_t k = 0; k < commands.size(); ++k) {
            if (before)
                before();
            t[k].push_back(Spawn(commands[k], false).seconds);
        }
    std::vector<double> medians;
    for (const auto& v : t)
        medians.push_back(Median(v));
    return medians;
}

double MedianSeconds(int runs, const std::function<double()>& run) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i)
        t.push_back(run());
    return Median(t);
}

template <typename F> double Seconds(F f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Line {
    std::string figure;
    double value;
    std::string unit;
    std::string anchor;
    double ratio;         // value / anchor; negative when there is no anchor
    double target;        // the ratio or value it must not exceed; negative: none, only shown
    bool skipped = false; // could not be measured here
};

void Print(const std::vector<Line>& lines) {
    std::printf("\n%-46s %12s   %-26s %8s %8s  %s\n", "figure", "median", "anchor", "ratio",
                "target", "met");
    for (const Line& l : lines) {
        const double judged = l.ratio >= 0 ? l.ratio : l.value;
        const std::string target = l.target >= 0 ? std::to_string(l.target).substr(0, 4) : "";
        if (l.skipped) {
            std::printf("%-46s %13s  %-26s %8s %8s  skipped\n", l.figure.c_str(), "",
                        l.anchor.c_str(), "", target.c_str());
            continue;
        }
        std::printf("%-46s %9.3f %-3s  %-26s %8s %8s  %s\n", l.figure.c_str(), l.value,
                    l.unit.c_str(), l.anchor.c_str(),
                    l.ratio >= 0 ? (std::to_string(l.ratio).substr(0, 5) + "x").c_str() : "",
                    target.c_str(),
                    l.target < 0         ? ""
                    : judged <= l.target ? "yes"
                                         : "NO");
    }
}

// How long a walk takes to end after a cancel, given once atRows rows are listed.
double CancelSeconds(const std::string& tree, std::size_t atRows) {
    class Counting : public SearchSink {
      public:
        std::atomic<std::size_t> rows{0};
        void Synchronize(HandOver& h) override { rows += h.items.size(); }
        void ShowNoDrivesMessage() override {}
    };
    SearchRequest r;
    r.target = tree;
    r.root = tree + "/";
    r.mask = "*.*";
    r.options.includeSubfolders = r.options.showSize = r.options.showModified = true;
    Counting sink;
    TSearchThread search(r, sink);
    std::chrono::steady_clock::time_point end;
    std::atomic<bool> ended{false};
    std::thread walk([&] {
        search.Execute();
        end = std::chrono::steady_clock::now();
        ended = true;
    });
    while (sink.rows < atRows && !ended)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const auto cancelled = std::chrono::steady_clock::now();
    search.Terminate();
    walk.join();
    return std::chrono::duration<double>(end - cancelled).count();
}

// A table of at least n rows made from a real listing, copies under other top folders, kept
// compact as the window keeps its rows.
ResultTable MillionRows(const std::string& tree, std::size_t n) {
    ListArguments a;
    a.folder = tree;
    a.options.includeSubfolders = a.options.showSize = a.options.showModified =
        a.options.showAttributes = true;
    ResultTable listed = RunListSearch(a, "/", -1).table;
    ResultTable table{listed.columns, {}};
    table.rows.reserve(n + listed.rows.size());
    CompactRows compact;
    compact.Use(a.options.sizeUnit, UnitWord(a.options.sizeUnit));
    std::vector<ColumnKind> kinds;
    for (const ColumnSpec& c : listed.columns)
        kinds.push_back(c.kind);
    std::vector<std::string> texts;
    std::vector<CellNumber> numbers;
    for (int copy = 0; table.rows.size() < n && !listed.rows.empty(); ++copy)
        for (const ResultRow& row : listed.rows) {
            texts.assign({"/copy" + std::to_string(copy) + row.Cell(0)});
            numbers.assign({std::nullopt});
            for (std::size_t k = 1; k < row.CellCount(); ++k) {
                texts.push_back(row.Cell(k));
                numbers.push_back(row.Number(k));
            }
            const std::vector<std::string_view> cells(texts.begin(), texts.end());
            table.rows.push_back(compact.Make(cells, numbers, kinds, false));
        }
    table.rows.resize(std::min(n, table.rows.size()));
    return table;
}

int All(const std::string& self, const std::string& tree, const std::string& small, int runs,
        const std::string& flat, const std::string& chain) {
    const std::string list =
        (std::filesystem::path(self).parent_path().parent_path() / "pathquill-list").string();
    const std::vector<std::string> plain = {list, "-s", "-c", "size,modified,attributes"};
    const auto with = [](std::vector<std::string> args, const std::string& folder) {
        args.push_back(folder);
        return args;
    };
    const auto timed = [&](const std::vector<std::string>& args) {
        return MedianSeconds(runs, [&] { return Spawn(args, false).seconds; });
    };
    const auto load = [] {
        char text[64] = {};
        if (FILE* f = std::fopen("/proc/loadavg", "r")) {
            if (!std::fgets(text, sizeof text, f))
                text[0] = 0;
            std::fclose(f);
        }
        return std::string(text, std::strcspn(text, "\n"));
    };
    const std::string loadBefore = load();
    std::printf("warming the cache ...\n");
    Spawn({"du", "-a", tree}, false);
    Spawn({"du", "-a", small}, false);
    Spawn(with(plain, tree), false);

    std::vector<Line> lines;
    const auto threads = [](std::vector<std::string> args, const char* n) {
        args.insert(args.begin() + 1, {"--threads", n});
        return args;
    };
    const auto alone = [&](std::vector<std::string> args) { return threads(args, "1"); };
    // Without --threads: one reading thread per core, as the window reads.
    const std::string byDefault = "default (" + std::to_string(WalkThreads(0)) + " threads)";
    const std::vector<double> plainTimes =
        InTurn(runs, {{"du", "-a", tree}, alone(with(plain, tree)), with(plain, tree)});
    const double duA = plainTimes[0], listPlain = plainTimes[2];
    lines.push_back(
        {"plain listing, 1 thread", plainTimes[1], "s", "du -a", plainTimes[1] / duA, 1.3});
    lines.push_back(
        {"plain listing, " + byDefault, plainTimes[2], "s", "du -a", plainTimes[2] / duA, 0.75});
    const std::vector<std::string> explorer = {list, "--structure",           "explorer",
                                               "-c", "size,files,subfolders", tree};
    const std::vector<double> structureTimes =
        InTurn(runs, {{"du", tree}, alone(explorer), explorer});
    const double du = structureTimes[0];
    lines.push_back(
        {"structure mode 1, 1 thread", structureTimes[1], "s", "du", structureTimes[1] / du, 1.25});
    lines.push_back({"structure mode 1, " + byDefault, structureTimes[2], "s", "du",
                     structureTimes[2] / du, 1.25});

    // Before the million rows exist: a child's peak counts what it shares of this process.
    for (const auto& [name, folder] :
         {std::pair<std::string, std::string>{"200,000 files in one folder", flat},
          {"a chain 3,000 folders deep", chain}}) {
        const std::vector<std::string> args = {list, "-s", "-c", "size,modified", folder};
        const double one = Spawn(alone(args), false).maxRssKB / 1024.0;
        const double many = Spawn(args, false).maxRssKB / 1024.0;
        lines.push_back(
            {"peak memory, default, " + name, many, "MiB", "1 thread", many / one, 1.5});
    }

    std::vector<double> windowSeconds, stalls, windowSorts, windowSaves;
    long windowPeak = 0, rows = 0;
    for (int i = 0; i < runs; ++i) {
        const Child c = Spawn({self, "window", tree}, true);
        double s = 0, sort = 0, save = 0;
        long long stall = 0;
        long peak = 0;
        std::sscanf(c.out.c_str(), "%lf %ld %lld %lf %lf %ld", &s, &rows, &stall, &sort, &save,
                    &peak);
        windowSeconds.push_back(s);
        stalls.push_back(static_cast<double>(stall));
        windowSorts.push_back(sort);
        windowSaves.push_back(save);
        windowPeak = std::max(windowPeak, peak);
    }
    const std::string emptyFolder = tree + "-empty";
    std::filesystem::create_directories(emptyFolder);
    long basePeak = 0;
    std::sscanf(Spawn({self, "window", emptyFolder}, true).out.c_str(), "%*f %*d %*d %*f %*f %ld",
                &basePeak);
    const double window = Median(windowSeconds);
    const std::string listed = std::to_string(rows) + " rows";
    lines.push_back({"window plain search (offscreen)", window, "s", "pathquill-list",
                     window / listPlain, 1.1});
    lines.push_back({"window thread longest busy stretch", Median(stalls), "ms", "", -1, 100});
    lines.push_back({"window memory per listed row",
                     rows ? (windowPeak - basePeak) * 1024.0 / rows : 0, "B", "", -1, 100});
    lines.push_back(
        {"window: sort the " + listed + " by name", Median(windowSorts), "s", "", -1, 1.5});
    lines.push_back(
        {"window: save the " + listed + " as .csv", Median(windowSaves), "s", "", -1, 2.0});

    const std::string bare = (std::filesystem::path(self).parent_path() / "bare_walker").string();
    const std::string threadCount = std::to_string(WalkThreads(0));
    const std::vector<std::string> bareMany = {bare, "-t", threadCount, tree};
    const std::vector<std::string> allColumns = {list, "-s", "-c",
                                                 "size,modified,created,access,attributes"};
    // The other way of fetching details, to keep the chosen one honest.
    const auto oneByOne = [](std::vector<std::string> args) {
        args.insert(args.begin(), {"env", "PATHQUILL_IO_URING=0"});
        return args;
    };
    const std::vector<double> allTimes = InTurn(runs, {{bare, tree},
                                                       alone(with(allColumns, tree)),
                                                       bareMany,
                                                       with(allColumns, tree),
                                                       oneByOne(with(allColumns, tree))});
    const double bareAll = allTimes[0];
    lines.push_back({"all-columns listing, 1 thread", allTimes[1], "s", "C walker (same calls)",
                     allTimes[1] / bareAll, 1.15});
    lines.push_back({"all-columns listing, " + byDefault, allTimes[3], "s",
                     "C walker, " + threadCount + " threads", allTimes[3] / allTimes[2], 1.05});
    lines.push_back({"the same, statx one at a time", allTimes[4], "s", "in batches (io_uring)",
                     allTimes[4] / allTimes[3], -1});
    // The parallel anchor must write what the single one writes.
    const bool bareSame = Spawn(bareMany, true).out == Spawn({bare, tree}, true).out;
    std::printf("C walker with %s threads writes the bytes of 1 thread: %s\n", threadCount.c_str(),
                bareSame ? "yes" : "NO");

    lines.push_back({"cancel in the middle of the plain listing, " + byDefault,
                     MedianSeconds(runs, [&] { return CancelSeconds(tree, rows / 3); }) * 1000,
                     "ms", "", -1, 50});

    const double smallPlain = timed(with(plain, small));
    lines.push_back({"plain listing, growth from a tree 10x smaller", listPlain, "s", "small tree",
                     listPlain / smallPlain, 11});

    const ResultTable million = MillionRows(tree, 1000000);
    const auto sortTime = [&](std::size_t column) {
        return MedianSeconds(runs, [&] {
            ResultTable t = million;
            ColumnSortState state;
            ResultTable none{t.columns, {}};
            ApplyHeaderClick(state, none, 0, ModeNone, "Byte"); // the window's start-up click
            return Seconds([&] { ApplyHeaderClick(state, t, column, ModeNone, "Byte"); });
        });
    };
    const std::string count = std::to_string(million.rows.size()) + " rows";
    lines.push_back({"sort " + count + " by name", sortTime(0), "s", "", -1, 0.3});
    lines.push_back({"sort " + count + " by size", sortTime(1), "s", "", -1, 1.5});
    lines.push_back({"sort " + count + " by modified", sortTime(2), "s", "", -1, 1.5});
    const std::string csv = tree + "-out.csv";
    StderrBoxes boxes;
    const double save = MedianSeconds(runs, [&] {
        return Seconds([&] { WriteResultFile(million, csv, false, std::time(nullptr), boxes); });
    });
    lines.push_back({"save " + count + " as .csv (" +
                         std::to_string(std::filesystem::file_size(csv) >> 20) + " MiB)",
                     save, "s", "", -1, 1.0});
    std::filesystem::remove(csv);

    // Last, as it leaves the cache cold.
    // Cold: the page cache dropped before every run of each command.
    const std::string figure = "all-columns listing, " + byDefault + ", cold";
    const bool canDrop = DropCaches();
    const auto noDiskHelpers = [](std::vector<std::string> args) {
        args.insert(args.begin(), {"env", "PATHQUILL_DISK_HELPERS=0"});
        return args;
    };
    std::vector<std::vector<std::string>> cold = {with(allColumns, tree), {"du", "-a", tree},
                                                  bareMany, oneByOne(with(allColumns, tree)),
                                                  noDiskHelpers(with(allColumns, tree))};
    const bool withFd = Installed("fdfind");
    if (withFd)
        cold.push_back({"fdfind", "-u", ".", tree});
    if (canDrop) {
        const std::vector<double> coldTimes = InTurn(runs, cold, DropCaches);
        lines.push_back(
            {figure, coldTimes[0], "s", "du -a, cold", coldTimes[0] / coldTimes[1], 0.6});
        if (withFd)
            lines.push_back(
                {figure, coldTimes[0], "s", "fdfind -u ., cold", coldTimes[0] / coldTimes[5], 1.3});
        lines.push_back({figure, coldTimes[0], "s", "C walker, " + threadCount + " thr., cold",
                         coldTimes[0] / coldTimes[2], -1});
        lines.push_back({"the same, statx one at a time, cold", coldTimes[3], "s",
                         "in batches (io_uring), cold", coldTimes[3] / coldTimes[0], -1});
        lines.push_back({"the same, no helpers for a slow disk, cold", coldTimes[4], "s",
                         "with them, cold", coldTimes[4] / coldTimes[0], -1});
    } else {
        // Dropping the page cache needs root.
        lines.push_back(
            {figure, 0, "s", withFd ? "fdfind -u ., du -a, cold" : "du -a, cold", -1, 1.3, true});
    }
    std::printf("tree: %s, %ld rows in the plain listing; medians of %d runs\n", tree.c_str(), rows,
                runs);
    std::printf("anchors: du -a %.3f s, du %.3f s, small tree %.3f s, C walker %.3f s, with %s "
                "threads %.3f s\n",
                duA, du, smallPlain, bareAll, threadCount.c_str(), allTimes[2]);
    std::printf("load average (1, 5, 15 min) before: %s, after: %s; %u cores\n", loadBefore.c_str(),
                load().c_str(), std::thread::hardware_concurrency());
    Print(lines);
    return 0;
}

// One sort of the million rows, for a profiler.
int SortOnce(const std::string& tree, std::size_t column) {
    ResultTable t = MillionRows(tree, 1000000);
    ColumnSortState state;
    ResultTable none{t.columns, {}};
    ApplyHeaderClick(state, none, 0, ModeNone, "Byte");
    const double cpu = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    const double wall = Seconds([&] { ApplyHeaderClick(state, t, column, ModeNone, "Byte"); });
    std::printf("%.3f s, %.3f s CPU\n", wall, CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - cpu);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "window") == 0)
        return WindowSearch(argc, argv);
    if (argc >= 4 && std::strcmp(argv[1], "all") == 0) {
        std::setlocale(LC_ALL, "");
        if (argc < 7) {
            std::fprintf(stderr, "all needs TREE SMALL_TREE RUNS FLAT_FOLDER CHAIN\n");
            return 2;
        }
        return All(std::filesystem::read_symlink("/proc/self/exe").string(), argv[2], argv[3],
                   std::atoi(argv[4]), argv[5], argv[6]);
    }
    if (argc >= 4 && std::strcmp(argv[1], "sort") == 0) {
        std::setlocale(LC_ALL, "");
        return SortOnce(argv[2], static_cast<std::size_t>(std::atoi(argv[3])));
    }
    std::fprintf(
        stderr,
        "usage: %s all TREE SMALL_TREE RUNS FLAT CHAIN | window FOLDER | sort TREE COLUMN\n",
        argv[0]);
    return 2;
}
