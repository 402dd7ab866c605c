#include "support/temp_tree.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <utime.h>

namespace fs = std::filesystem;

TempTree::TempTree() : TempTree(fs::temp_directory_path().string()) {}

TempTree::TempTree(const std::string& base) {
    std::string tmpl = (fs::path(base) / "pq-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    root_ = tmpl;
}

TempTree::~TempTree() {
    std::error_code ec;
    // Make read-only folders removable again.
    for (auto it = fs::recursive_directory_iterator(root_, ec); !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (it->is_directory(ec) && !it->is_symlink(ec)) ::chmod(it->path().c_str(), 0755);
    fs::remove_all(root_, ec);
}

std::string TempTree::File(const std::string& relative, std::int64_t size) {
    const fs::path p = Path(relative);
    fs::create_directories(p.parent_path());
    { std::ofstream(p, std::ios::binary); }
    fs::resize_file(p, static_cast<std::uintmax_t>(size));
    return p.string();
}

std::string TempTree::Folder(const std::string& relative) {
    fs::create_directories(Path(relative));
    return Path(relative);
}

void TempTree::SetModified(const std::string& relative, std::time_t when) {
    const utimbuf times{when, when};
    ::utime(Path(relative).c_str(), &times);
}

void TempTree::SetMode(const std::string& relative, unsigned mode) {
    ::chmod(Path(relative).c_str(), mode);
}
