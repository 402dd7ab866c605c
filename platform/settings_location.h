#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

// What decides where the settings file lives, passed in so that it can be tested.
struct SettingsEnvironment {
    std::string programFolder; // with its trailing separator
    std::string xdgConfigHome; // $XDG_CONFIG_HOME; used only when it is a full path
    std::string home;          // $HOME
};
SettingsEnvironment CurrentSettingsEnvironment();

using FolderTest = std::function<bool(const std::string& folder)>;
bool IsWritableFolder(const std::string& folder);

// Pathquill.ini beside the program when that folder is writable or the file is there already
// (a build folder, a portable copy); otherwise $XDG_CONFIG_HOME/pathquill/Pathquill.ini, by
// default ~/.config/pathquill/Pathquill.ini, so an installed program keeps its settings too.
std::string SettingsFileLocation(const SettingsEnvironment& env,
                                 const FolderTest& writable = &IsWritableFolder);

// The bytes of a regular file of at most maxBytes; nothing for a missing, unreadable or larger
// file, and never a wait on a FIFO or device that carries the name.
std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t maxBytes);
bool FileExists(const std::string& path);
// Adds the owner write bit when it is missing; the other mode bits stay.
bool ClearReadOnly(const std::string& path);
// Creates the folder holding path, with the folders above it (only the owner may enter new ones).
bool MakeFolderOf(const std::string& path);
