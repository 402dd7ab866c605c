#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/folders.h"

// How the folder trees name, order and find folders; no window involved.
namespace folder_names {

// Sorted as a desktop user expects: by name, letter case ignored, numbers by value.
void SortByName(std::vector<folders::SubFolder>& list);

// An absolute path with "." , ".." and doubled separators worked out from the text alone,
// so a symbolic link keeps its own path; a relative path is taken from currentFolder.
std::string AbsoluteFolderPath(std::string_view path, std::string_view currentFolder);

// The names leading from anchor down to path; nothing when path is not inside anchor.
std::optional<std::vector<std::string>> StepsBelow(std::string_view anchor, std::string_view path);

enum class NameCheck { Valid, Empty, Invalid };
// A new name for a folder: one path segment of at most 255 bytes.
NameCheck CheckFolderName(std::string_view name);

// A drive as the tree shows it: its label, else its file-system name, with the mount point.
std::string DriveText(std::string_view label, std::string_view fileSystem,
                      std::string_view mountPoint);

} // namespace folder_names
