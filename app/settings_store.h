#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/ini_file.h"

struct WindowSettings;

struct SettingsLocation;

// The settings file of one window and the drive look-ups its close asks; tests give their own.
struct SettingsPlace {
    std::string file; // empty: the window neither reads nor writes settings
    std::function<std::string(const std::string&)> driveTypeName;
    std::function<std::int64_t(const std::string&)> freeBytes;
    bool besideProgram = false; // a portable set-up on the program's own medium
    std::function<bool(const std::string&)> mayCreateFolderOf;

    // The file with the running system's drive look-ups.
    static SettingsPlace At(const SettingsLocation& location);
};

// Files larger than this are no settings file; they are read as holding no keys.
inline constexpr std::size_t kMaxSettingsFileSize = 4 * 1024 * 1024;

// At least 1 MiB must be free. A file beside the program is written only on a floppy or hard
// disk, never onto the CD-ROM, share or RAM disk the program runs from; the user's own file
// wherever its folder takes new files.
bool MayWriteSettings(const SettingsPlace& place);

// Nothing when there is no file; an unreadable file reads as one without keys.
std::optional<IniFile> LoadSettingsFile(const std::string& file);

// Writes the window's keys into the file as it is now, keeping every other line: the
// read-only attribute cleared first, the folder created when missing, the file replaced in
// one step with its mode kept. An existing file that cannot be read is left alone.
bool StoreSettingsFile(const std::string& file, const WindowSettings& settings);
