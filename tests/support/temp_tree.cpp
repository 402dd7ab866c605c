#include "support/temp_tree.h"

#include "system/drives.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

namespace fs = std::filesystem;

namespace {

bool TakesResultFiles(const std::string& folder) {
    const std::string type = GetDriveTypeName(folder);
    return (type == "Harddisk" || type == "Floppy") && ::access(folder.c_str(), W_OK) == 0;
}

// The temporary folder when it is on a disk, else /var/tmp, else the build folder.
fs::path DiskFolder() {
    for (const fs::path& candidate : {fs::temp_directory_path(), fs::path("/var/tmp")})
        if (TakesResultFiles(candidate.string()))
            return candidate;
    fs::create_directories(PATHQUILL_TEST_SCRATCH);
    return PATHQUILL_TEST_SCRATCH;
}

} // namespace

TempTree::TempTree(TreePlace place)
    : TempTree((place == TreePlace::Disk ? DiskFolder() : fs::temp_directory_path()).string()) {}

TempTree::TempTree(const std::string& base) {
    std::string tmpl = (fs::path(base) / "pq-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data()))
        throw std::runtime_error("mkdtemp failed");
    root_ = tmpl;
}

TempTree::~TempTree() {
    std::error_code ec;
    // Make read-only folders removable again.
    for (auto it = fs::recursive_directory_iterator(root_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (it->is_directory(ec) && !it->is_symlink(ec))
            ::chmod(it->path().c_str(), 0755);
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
