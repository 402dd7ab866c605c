#include "platform/paths.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace paths {

std::string Absolute(const std::string& path, const std::string& base) {
    std::filesystem::path p(path);
    if (p.is_relative())
        p = std::filesystem::path(base) / p;
    return p.lexically_normal().string();
}

std::string CurrentFolder() {
    std::error_code ec;
    const std::filesystem::path here = std::filesystem::current_path(ec);
    return ec ? std::string() : here.string();
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

} // namespace paths
