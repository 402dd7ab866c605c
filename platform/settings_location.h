#pragma once
#include <cstddef>
#include <optional>
#include <string>

// What decides where the settings file lives, passed in so that it can be tested.
struct SettingsEnvironment {
    std::string programFolder; // with its trailing separator
    std::string xdgConfigHome; // $XDG_CONFIG_HOME; used only when it is a full path
    std::string home;          // $HOME
    unsigned user = 0;         // whose settings they are: the effective user id
};
SettingsEnvironment CurrentSettingsEnvironment();

struct SettingsLocation {
    std::string file;           // empty: there is nowhere to keep settings
    bool besideProgram = false; // a portable set-up
    bool operator==(const SettingsLocation&) const = default;
};

bool IsWritableFolder(const std::string& folder);
// Whether the folder of path, or the nearest folder above it that exists, takes new entries.
bool MayCreateFolderOf(const std::string& path);

// $XDG_CONFIG_HOME/pathquill/Pathquill.ini, by default ~/.config/pathquill/Pathquill.ini. Beside
// the program only as a portable set-up: a Pathquill.ini already there that belongs to the user
// and that the user may write (a read-only one of their own counts; it is made writable). One
// that belongs to someone else is never read, so nobody sees another user's history.
SettingsLocation SettingsFileLocation(const SettingsEnvironment& env);

// The bytes of a regular file of at most maxBytes; nothing for a missing, unreadable or larger
// file, and never a wait on a FIFO or device that carries the name.
std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t maxBytes);
bool FileExists(const std::string& path);
// Adds the owner write bit when it is missing; the other mode bits stay.
bool ClearReadOnly(const std::string& path);
// Creates the folder holding path, with the folders above it (only the owner may enter new ones).
bool MakeFolderOf(const std::string& path);
