// Builds the benchmark's synthetic tree: at scale 1 about 20,000 folders and 300,000 files,
// depth up to 8, sizes from 0 to a few MiB (sparse, so the tree costs inodes, not space).
// Usage: make_tree FOLDER [SCALE]. The same scale always gives the same tree.
//        make_tree --flat FOLDER N    one folder of N empty files
//        make_tree --chain FOLDER N   N folders, each inside the one before, one file in each
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kMaxDepth = 8;

struct Folder {
    std::string path;
    int depth;
};

std::string FileName(int n, std::mt19937& random) {
    static const char* const kSuffixes[] = {".txt", ".dat", ".jpg", ".pdf",    ".cpp", ".h",
                                            ".log", ".bin", "",     ".tar.gz", ".Mp3", ".odt"};
    const char* suffix = kSuffixes[random() % (sizeof kSuffixes / sizeof *kSuffixes)];
    return "file" + std::to_string(n) + suffix;
}

int Flat(const std::string& root, int count) {
    if (::mkdir(root.c_str(), 0755) != 0) {
        std::perror(root.c_str());
        return 1;
    }
    for (int n = 0; n < count; ++n) {
        const std::string path = root + "/f" + std::to_string(n) + ".dat";
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd < 0) {
            std::perror(path.c_str());
            return 1;
        }
        ::close(fd);
    }
    std::printf("%d files in %s\n", count, root.c_str());
    return 0;
}

// Deeper than PATH_MAX allows to name, so every step is made relative to the one before.
int Chain(const std::string& root, int depth) {
    if (::mkdir(root.c_str(), 0755) != 0) {
        std::perror(root.c_str());
        return 1;
    }
    int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int n = 0; n < depth && fd >= 0; ++n) {
        const int file = ::openat(fd, "file.txt", O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (file >= 0)
            ::close(file);
        const std::string name = "d" + std::to_string(n);
        const int next = ::mkdirat(fd, name.c_str(), 0755) == 0
                             ? ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                             : -1;
        ::close(fd);
        fd = next;
    }
    if (fd < 0) {
        std::perror(root.c_str());
        return 1;
    }
    ::close(fd);
    std::printf("a chain of %d folders in %s\n", depth, root.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && (std::string(argv[1]) == "--flat" || std::string(argv[1]) == "--chain"))
        return (std::string(argv[1]) == "--flat" ? Flat : Chain)(argv[2], std::atoi(argv[3]));
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [SCALE]\n", argv[0]);
        return 2;
    }
    const std::string root = argv[1];
    const double scale = argc > 2 ? std::atof(argv[2]) : 1.0;
    const int folders = static_cast<int>(20000 * scale), files = static_cast<int>(300000 * scale);
    std::mt19937 random(20031224);
    if (::mkdir(root.c_str(), 0755) != 0) {
        std::perror(root.c_str());
        return 1;
    }
    std::vector<Folder> all{{root, 0}};
    while (static_cast<int>(all.size()) <= folders) {
        const Folder& parent = all[random() % all.size()];
        if (parent.depth >= kMaxDepth)
            continue;
        Folder f{parent.path + "/dir" + std::to_string(all.size()), parent.depth + 1};
        if (::mkdir(f.path.c_str(), 0755) != 0) {
            std::perror(f.path.c_str());
            return 1;
        }
        all.push_back(std::move(f));
    }
    std::lognormal_distribution<double> size(8.0, 2.5);
    for (int n = 0; n < files; ++n) {
        const std::string path = all[random() % all.size()].path + "/" + FileName(n, random);
        const int fd =
            ::open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, n % 7 == 0 ? 0444 : 0644);
        if (fd < 0) {
            std::perror(path.c_str());
            return 1;
        }
        const auto bytes = static_cast<off_t>(std::min(size(random), 64.0 * 1024 * 1024));
        if (::ftruncate(fd, bytes) != 0)
            std::perror(path.c_str());
        ::close(fd);
    }
    std::printf("%d folders, %d files in %s\n", folders, files, root.c_str());
    return 0;
}
