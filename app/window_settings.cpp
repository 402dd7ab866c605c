#include "app/window_settings.h"

#include "app/ini_file.h"
#include "platform/paths.h"
#include "search/search_control_logic.h"

namespace {

constexpr std::string_view kHistory = "History";
constexpr std::string_view kSettings = "Settings";
constexpr std::string_view kLookForHistory = "CB-History";

int Index(const IniFile& ini, std::string_view key, int current) {
    const int stored = ini.ReadInteger(kSettings, key, current);
    return stored >= 0 && stored <= 2 ? stored : current;
}

} // namespace

std::vector<std::string> ReadLookForHistory(const IniFile& ini) {
    std::vector<std::string> history;
    const std::size_t n = ini.KeyCount(kLookForHistory);
    for (std::size_t i = 0; i <= n; ++i)
        if (std::string entry = ini.ReadString(kLookForHistory, std::to_string(i), {});
            !entry.empty())
            history.push_back(std::move(entry));
    return history;
}

WindowSettings ReadWindowSettings(const IniFile& ini, const WindowSettings& current) {
    const WindowSettings fixed;
    WindowSettings s;
    const auto text = [&](std::string_view key, const std::string& fallback) {
        return ini.ReadString(kHistory, key, fallback);
    };
    const auto number = [&](std::string_view key, int fallback) {
        return ini.ReadInteger(kHistory, key, fallback);
    };
    s.searchTarget = text("LastDrive", fixed.searchTarget);
    s.lookForText = text("LastTarget", fixed.lookForText);
    s.fileName = text("LastFileName", fixed.fileName);
    s.saveFolder = paths::WithoutTrailingSeparator(text("LastSavePath", fixed.saveFolder));
    s.formWidth = number("LastFormWidth", current.formWidth);
    s.formHeight = number("LastFormHeight", current.formHeight);
    s.resultListWidth = number("LastLVWidth", fixed.resultListWidth);
    s.panel1 = {number("Panel1Left", fixed.panel1.left),
                number("Panel1Height", fixed.panel1.height),
                number("Panel1Width", fixed.panel1.width)};
    s.panel3 = {number("Panel3Left", fixed.panel3.left),
                number("Panel3Height", fixed.panel3.height),
                number("Panel3Width", fixed.panel3.width)};
    for (std::size_t i = 0; i < kOptionBoxCount; ++i)
        s.options[i] = ini.ReadBool(kHistory, kOptionBoxKeys[i], current.options[i]);
    s.sizeUnit = Index(ini, "SizeUnit", current.sizeUnit);
    s.structureMode = Index(ini, "StructSearch", current.structureMode);
    s.cdDrive = ini.ReadString(kSettings, "CD_DVD", fixed.cdDrive);
    s.lookForHistory = ReadLookForHistory(ini);
    return s;
}

void WriteWindowSettings(IniFile& ini, const WindowSettings& s) {
    const auto text = [&](std::string_view key, const std::string& value) {
        ini.SetValue(kHistory, key, value);
    };
    const auto number = [&](std::string_view key, int value) {
        ini.WriteInteger(kHistory, key, value);
    };
    text("LastSavePath", s.saveFolder);
    text("LastDrive", s.searchTarget);
    text("LastFileName", TrimBlanks(s.fileName));
    text("LastTarget", s.lookForText);
    number("LastFormWidth", s.formWidth);
    number("LastFormHeight", s.formHeight);
    number("LastCol0Width", s.firstColumnWidth);
    number("LastLVWidth", s.resultListWidth);
    number("Panel1Height", s.panel1.height);
    number("Panel1Width", s.panel1.width);
    number("Panel1Left", s.panel1.left);
    number("Panel3Height", s.panel3.height);
    number("Panel3Width", s.panel3.width);
    number("Panel3Left", s.panel3.left);
    for (std::size_t i = 0; i < kOptionBoxCount; ++i)
        ini.WriteBool(kHistory, kOptionBoxKeys[i], s.options[i]);
    ini.SetValue(kSettings, "CD_DVD", s.cdDrive);
    ini.WriteInteger(kSettings, "SizeUnit", s.sizeUnit);
    ini.WriteInteger(kSettings, "StructSearch", s.structureMode);
    if (ini.KeyCount(kLookForHistory) > 0)
        ini.EraseSection(kLookForHistory);
    for (std::size_t i = 0; i < s.lookForHistory.size(); ++i)
        if (s.lookForHistory[i] != " ")
            ini.SetValue(kLookForHistory, std::to_string(i), s.lookForHistory[i]);
}
