#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "system/tray.h"

class IniFile;

// The eleven option boxes in the order they are stored.
enum OptionBox {
    kShowSize,
    kShowDate,
    kShowLastAccessTime,
    kShowCreationTime,
    kShowAttributes,
    kShowShortFileName,
    kShowOnlyFolders,
    kIncludeSubfolders, // stored as "ExcludeSubFolders": 1 means subfolders are included
    kShowType,
    kNumFiles,
    kNumFolders,
    kOptionBoxCount
};
inline constexpr std::array<std::string_view, kOptionBoxCount> kOptionBoxKeys = {
    "ShowSize",       "ShowDate",          "ShowLastAccessTime", "ShowCreationTime",
    "ShowAttributes", "ShowShortFileName", "ShowOnlyFolders",    "ExcludeSubFolders",
    "ShowType",       "Numfiles",          "NumFolders"};

struct PanelBounds {
    int left = 0, height = 0, width = 0;
    bool operator==(const PanelBounds&) const = default;
};

// Everything the settings file keeps of the window, as plain values.
struct WindowSettings {
    std::string searchTarget = "/";
    std::string lookForText = "/";
    std::string fileName;
    std::string saveFolder;
    int formWidth = 673, formHeight = 482;
    int firstColumnWidth = 50; // written at close, never read
    int resultListWidth = 100;
    PanelBounds panel1{288, 434, 344};
    PanelBounds panel3{1, 288, 283};
    std::array<bool, kOptionBoxCount> options{};
    int sizeUnit = 0;
    int structureMode = 0;
    std::string cdDrive = kDefaultCDDrive;
    std::vector<std::string> lookForHistory;
    bool operator==(const WindowSettings&) const = default;
};

// The values of a settings file. `current` is the window's state, which is what the window
// size, the option boxes, the size unit and the structure mode fall back to; the other keys
// have fixed defaults. A size unit or structure mode outside 0 to 2 keeps the current one.
// The save folder comes back without a trailing separator (the root keeps it).
WindowSettings ReadWindowSettings(const IniFile& ini, const WindowSettings& current);

// Writes every key in its order and rebuilds the look-for history; other keys stay.
void WriteWindowSettings(IniFile& ini, const WindowSettings& settings);

// The history entries: n keys in the section, keys 0 to n looked up, empty values skipped.
std::vector<std::string> ReadLookForHistory(const IniFile& ini);
