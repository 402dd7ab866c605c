#pragma once
#include <optional>
#include <string>
#include <vector>

// Folder listing and folder operations for the folder trees.
namespace folders {

struct SubFolder {
    std::string name;          // bytes as stored on disk
    bool link = false;         // a symbolic link to a folder
    bool hasSubfolders = true; // false only when known to have none
};

// The folders directly inside path (hidden ones included; links to folders count as
// folders), unsorted. Nothing when the folder cannot be read. With probe, each entry is
// looked into briefly to tell whether it has subfolders.
std::optional<std::vector<SubFolder>> ReadSubfolders(const std::string& path, bool probe);

// Whether a folder may have subfolders, judged from its first entries.
bool MayHaveSubfolders(const std::string& folder);

// True when path names a folder (following symbolic links).
bool IsFolder(const std::string& path);

// True when path itself is a symbolic link.
bool IsLink(const std::string& path);

// Creates the folder with any missing folders above it; true when it exists afterwards.
bool CreateFolderPath(const std::string& path);

enum class RenameResult { Done, Exists, Denied, Failed };
// Renames folder to newPath without ever replacing what is already there.
RenameResult RenameFolder(const std::string& folder, const std::string& newPath);

// Moves the folder into the desktop's trash.
bool MoveToTrash(const std::string& folder);

} // namespace folders
