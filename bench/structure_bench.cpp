// Times the "Windows-Explorer" structure listing against du on the same synthetic tree.
// Usage: structure_bench [FOLDER]  (the tree is built there first when FOLDER does not exist)
#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "search/search_thread.h"

namespace {

constexpr int kTop = 20, kMiddle = 20, kLeaves = 50, kFilesPerLeaf = 15;

class NullSink : public SearchSink {
  public:
    std::size_t rows = 0;
    void Synchronize(HandOver& h) override { rows += h.items.size(); }
    void ShowNoDrivesMessage() override {}
};

void BuildTree(const std::string& root) {
    std::printf("building %d folders and %d files in %s ...\n",
                kTop * (1 + kMiddle * (1 + kLeaves)), kTop * kMiddle * kLeaves * kFilesPerLeaf,
                root.c_str());
    int n = 0;
    for (int a = 0; a < kTop; ++a)
        for (int b = 0; b < kMiddle; ++b)
            for (int c = 0; c < kLeaves; ++c) {
                const std::string dir = root + "/t" + std::to_string(a) + "/m" + std::to_string(b) +
                                        "/leaf" + std::to_string(c);
                std::filesystem::create_directories(dir);
                for (int f = 0; f < kFilesPerLeaf; ++f, ++n) {
                    const std::string file = dir + "/file" + std::to_string(f) + ".dat";
                    const int fd = ::open(file.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
                    if (fd < 0)
                        continue;
                    if (::ftruncate(fd, (n * 7919) % 65536) != 0)
                        std::perror("ftruncate");
                    ::close(fd);
                }
            }
}

template <typename F> double MedianSeconds(F run) {
    run(); // warm-up
    std::vector<double> t;
    for (int i = 0; i < 3; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        t.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(t.begin(), t.end());
    return t[1];
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    const std::string root = argc > 1 ? argv[1] : "/tmp/pathquill-structure-bench";
    if (!std::filesystem::exists(root))
        BuildTree(root);

    std::size_t rows = 0;
    const auto structure = [&](int mode) {
        SearchRequest r;
        r.target = root;
        r.root = root + "/";
        SearchOptions& o = r.options;
        o.structureMode = mode;
        o.showSize = o.showCreated = o.showFileCount = o.showSubfolderCount = true;
        o.showAttributes = o.showShortName = true;
        NullSink sink;
        TSearchThread thread(r, sink);
        thread.Execute();
        rows = sink.rows;
    };
    const double mode1 = MedianSeconds([&] { structure(ModeExplorer); });
    const std::size_t mode1Rows = rows;
    const double mode2 = MedianSeconds([&] { structure(ModeSingleFolders); });
    const std::string du = "du '" + root + "' >/dev/null";
    const double duSeconds = MedianSeconds([&] {
        if (std::system(du.c_str()) != 0)
            std::fprintf(stderr, "du failed\n");
    });

    std::printf("rows: %zu (one per folder)\n", mode1Rows);
    std::printf("du (one line per folder):  %.3f s\n", duSeconds);
    std::printf("structure mode 1:          %.3f s  (%.2f x du)\n", mode1, mode1 / duSeconds);
    std::printf("structure mode 2:          %.3f s  (%.2f x du)\n", mode2, mode2 / duSeconds);
    return 0;
}
