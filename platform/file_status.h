#pragma once
#include <string>

// What is at a path, as the save command needs to know it.
namespace files {

// A folder (a link to one counts), anything else that is there (a file, a link that leads
// nowhere, a device), or nothing.
enum class Found { Nothing, Folder, OtherThanFolder };
Found WhatIsAt(const std::string& path);
inline bool IsFolder(const std::string& path) {
    return WhatIsAt(path) == Found::Folder;
}

// Read-only means the owner may not write.
bool IsReadOnly(const std::string& path);
// Gives the owner write permission; every other mode bit stays.
bool ClearReadOnly(const std::string& path);
// Creates the folder and every missing folder above it; true when it is a folder afterwards.
bool CreateFolders(const std::string& path);

} // namespace files
