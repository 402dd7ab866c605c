#include "platform/file_status.h"

#include <cerrno>
#include <sys/stat.h>

#include "platform/paths.h"

namespace files {

Found WhatIsAt(const std::string& path) {
    struct stat st {};
    if (!path.empty() && ::stat(path.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode) ? Found::Folder : Found::OtherThanFolder;
    if (!path.empty() && ::lstat(path.c_str(), &st) == 0)
        return Found::OtherThanFolder;
    return Found::Nothing;
}

bool IsReadOnly(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !(st.st_mode & S_IWUSR);
}

bool ClearReadOnly(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    return ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR) == 0;
}

bool CreateFolders(const std::string& path) {
    if (path.empty())
        return false;
    if (IsFolder(path))
        return true;
    const std::string trimmed = paths::WithoutTrailingSeparator(path);
    const auto cut = trimmed.find_last_of(paths::kSeparator);
    if (cut != std::string::npos && cut > 0 && !CreateFolders(trimmed.substr(0, cut)))
        return false;
    // Someone else may have made it in between; what counts is that it is a folder now.
    return ::mkdir(trimmed.c_str(), 0777) == 0 || (errno == EEXIST && IsFolder(trimmed));
}

} // namespace files
