#include "app/settings_store.h"

#include "app/window_settings.h"
#include "platform/settings_location.h"
#include "save/atomic_file.h"
#include "system/drives.h"

namespace {

std::string FolderOf(const std::string& file) {
    const std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? std::string(".") : file.substr(0, slash + 1);
}

} // namespace

SettingsPlace SettingsPlace::At(const SettingsLocation& location) {
    return {location.file, &GetDriveTypeName, &GetFreeBytes, location.besideProgram,
            &MayCreateFolderOf};
}

bool MayWriteSettings(const SettingsPlace& place) {
    if (place.file.empty())
        return false;
    const std::string folder = FolderOf(place.file);
    if (place.besideProgram) {
        const std::string type = place.driveTypeName(folder);
        if (type != "Floppy" && type != "Harddisk")
            return false;
    } else if (!place.mayCreateFolderOf || !place.mayCreateFolderOf(place.file)) {
        return false;
    }
    return HasFreeSpace(place.freeBytes(folder), 1);
}

std::optional<IniFile> LoadSettingsFile(const std::string& file) {
    if (file.empty() || !FileExists(file))
        return std::nullopt;
    const auto text = ReadRegularFile(file, kMaxSettingsFileSize);
    return IniFile::Parse(text ? *text : std::string());
}

bool StoreSettingsFile(const std::string& file, const WindowSettings& settings) {
    std::string text;
    if (FileExists(file)) {
        const auto now = ReadRegularFile(file, kMaxSettingsFileSize);
        if (!now || !ClearReadOnly(file))
            return false;
        text = *now;
    }
    IniFile ini = IniFile::Parse(text);
    WriteWindowSettings(ini, settings);
    if (!MakeFolderOf(file))
        return false;
    AtomicFile out(file);
    return out.Write(ini.Serialized()) && out.Commit();
}
