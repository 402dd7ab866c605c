// The exports' figures: a million rows to .xlsx with the peak memory against the listing's own,
// and 100,000 rows to PDF. Each run is a child process, so its peak memory is its own.
//   export_bench all TREE RUNS     the table (bench.sh calls this)
//   export_bench xlsx|pdf TREE     one run; prints seconds, peak KiB before and after writing,
//                                  rows, file bytes, processor seconds
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "app/message_boxes.h"
#include "bench/stderr_boxes.h"
#include "cli/list_command.h"
#include "save/pdf_report.h"
#include "save/xlsx_writer.h"

namespace {

long PeakKiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// n rows from a real listing of tree: copies under other top folders, numbers kept.
ResultTable Rows(const std::string& tree, std::size_t n) {
    ListArguments a;
    a.folder = tree;
    a.options.includeSubfolders = a.options.showSize = a.options.showModified =
        a.options.showAttributes = true;
    const ResultTable listed = RunListSearch(a, "/", -1).table;
    ResultTable table{listed.columns, {}};
    table.rows.reserve(n);
    std::vector<std::string> texts;
    std::vector<std::string_view> cells;
    std::vector<std::optional<std::int64_t>> numbers;
    for (int copy = 0; table.rows.size() < n && !listed.rows.empty(); ++copy)
        for (std::size_t r = 0; r < listed.rows.size() && table.rows.size() < n; ++r) {
            const ResultRow& row = listed.rows[r];
            const std::string path = "/copy" + std::to_string(copy) + std::string(row.Cell(0));
            texts.assign({path});
            numbers.assign({std::nullopt});
            for (std::size_t k = 1; k < row.CellCount(); ++k) {
                texts.push_back(row.Cell(k));
                numbers.push_back(row.Number(k));
            }
            cells.assign(texts.begin(), texts.end());
            table.rows.push_back(ResultRow::Of(cells.data(), cells.size(), numbers.data()));
        }
    return table;
}

int One(const std::string& kind, const std::string& tree) {
    const bool pdf = kind == "pdf";
    const ResultTable table = Rows(tree, pdf ? 100000 : 1000000);
    const long listing = PeakKiB();
    const std::string out = tree + "-export." + (pdf ? "pdf" : "xlsx");
    StderrBoxes boxes;
    std::unique_ptr<QGuiApplication> painting = pdf ? MakePaintingApplication() : nullptr;
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu = std::clock();
    const bool saved =
        pdf ? WritePdfReport(table, MakeReportTexts(table, {tree, "*.*", 0}, std::time(nullptr)),
                             out, boxes)
                  .saved
            : WriteSpreadsheet(table, out, {SheetNameOf(tree)}, boxes).saved;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(out, ec);
    std::filesystem::remove(out, ec);
    std::printf("%.3f %ld %ld %zu %llu %.3f\n", seconds, listing, PeakKiB(), table.rows.size(),
                static_cast<unsigned long long>(ec ? 0 : bytes),
                double(std::clock() - cpu) / CLOCKS_PER_SEC);
    return saved ? 0 : 1;
}

struct Run {
    double seconds = 0, cpuSeconds = 0, listingMiB = 0, peakMiB = 0, fileMiB = 0;
    std::size_t rows = 0;
};

Run Spawn(const std::string& self, const std::string& kind, const std::string& tree) {
    const std::string command = "'" + self + "' " + kind + " '" + tree + "'";
    Run r;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        long before = 0, after = 0;
        unsigned long long bytes = 0;
        if (std::fscanf(p, "%lf %ld %ld %zu %llu %lf", &r.seconds, &before, &after, &r.rows, &bytes,
                        &r.cpuSeconds) == 6) {
            r.listingMiB = before / 1024.0;
            r.peakMiB = after / 1024.0;
            r.fileMiB = double(bytes) / (1 << 20);
        }
        ::pclose(p);
    }
    return r;
}

Run Median(std::vector<Run> runs) {
    std::sort(runs.begin(), runs.end(), [](auto& a, auto& b) { return a.seconds < b.seconds; });
    return runs[runs.size() / 2];
}

int All(const std::string& self, const std::string& tree, int runs) {
    std::vector<Run> xlsx, pdf;
    for (int i = 0; i < runs; ++i) {
        xlsx.push_back(Spawn(self, "xlsx", tree));
        pdf.push_back(Spawn(self, "pdf", tree));
    }
    const Run x = Median(xlsx), p = Median(pdf);
    std::printf("\n%-46s %12s   %-26s %8s %8s  %s\n", "figure", "median", "anchor", "ratio",
                "target", "met");
    const auto line = [](const std::string& figure, double value, const char* unit,
                         const char* anchor, double ratio, double target) {
        const double judged = ratio >= 0 ? ratio : value;
        std::printf("%-46s %9.3f %-3s  %-26s %8s %8.2f  %s\n", figure.c_str(), value, unit, anchor,
                    ratio >= 0 ? (std::to_string(ratio).substr(0, 5) + "x").c_str() : "", target,
                    judged <= target ? "yes" : "NO");
    };
    // The processor time beside it tells a slow export from a busy machine.
    char size[64];
    std::snprintf(size, sizeof size, " (%.0f MiB, cpu %.1f s)", x.fileMiB, x.cpuSeconds);
    line("export " + std::to_string(x.rows) + " rows as .xlsx" + size, x.seconds, "s", "", -1, 10);
    line("peak memory of that export", x.peakMiB, "MiB", "the listing's own peak",
         x.listingMiB > 0 ? x.peakMiB / x.listingMiB : 0, 1.5);
    std::snprintf(size, sizeof size, " (%.0f MiB, cpu %.1f s)", p.fileMiB, p.cpuSeconds);
    line("export " + std::to_string(p.rows) + " rows as PDF" + size, p.seconds, "s", "", -1, 15);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    if (argc == 3 && (std::strcmp(argv[1], "xlsx") == 0 || std::strcmp(argv[1], "pdf") == 0))
        return One(argv[1], argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "all") == 0)
        return All(std::filesystem::read_symlink("/proc/self/exe").string(), argv[2],
                   std::max(1, std::atoi(argv[3])));
    std::fprintf(stderr, "usage: %s all TREE RUNS | xlsx TREE | pdf TREE\n", argv[0]);
    return 2;
}
