#include "system/context_menu_entry.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/program_file.h"
#include "resources/strings.h"
#include "save/atomic_file.h"
#include "system/desktop_entry_text.h"
#include "system/drives.h"

namespace {
constexpr const char* kEntryName = "pathquill-folder.desktop";
constexpr const char* kFolderType = "inode/directory";
// KDE Frameworks 5.85 and later, and the older folder.
constexpr const char* kServiceMenuFolders[] = {"/kio/servicemenus", "/kservices5/ServiceMenus"};

std::string XdgFolder(const char* variable, const char* underHome) {
    const char* value = std::getenv(variable);
    if (value && *value == '/')
        return value;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + underHome;
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Creates path and its missing parents.
bool MakeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0755);
    return ::mkdir(path.c_str(), 0755) == 0 || (errno == EEXIST && IsFolder(path));
}

bool CreateFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool ReplaceFile(const std::string& path, const std::string& text) {
    AtomicFile file(path);
    return file.IsOpen() && file.Write(text) && file.Commit();
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Replaced(std::string text, const std::string& value) {
    if (const auto at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}
} // namespace

ContextMenuPlaces UserContextMenuPlaces() {
    return {XdgFolder("XDG_DATA_HOME", "/.local/share"), XdgFolder("XDG_CONFIG_HOME", "/.config")};
}

std::string ContextMenuEntry::EntryPath() const {
    return places_.dataHome + "/applications/" + kEntryName;
}

std::vector<std::string> ContextMenuEntry::ServiceMenuPaths() const {
    std::vector<std::string> paths;
    for (const char* folder : kServiceMenuFolders)
        if (IsFolder(places_.dataHome + folder))
            paths.push_back(places_.dataHome + folder + "/" + kEntryName);
    return paths;
}

bool ContextMenuEntry::Exists() const {
    struct stat st {};
    return ::stat(EntryPath().c_str(), &st) == 0;
}

bool ContextMenuEntry::UpToDate(const std::string& programPath) const {
    if (!Exists() || ReadFile(EntryPath()) != FolderEntryText(programPath))
        return false;
    for (const std::string& copy : ServiceMenuPaths())
        if (ReadFile(copy) != ServiceMenuText(programPath))
            return false;
    return true;
}

EntryResult ContextMenuEntry::Write(const std::string& programPath) const {
    // Every start writes an existing entry again; the desktop tools cost a noticeable moment.
    if (UpToDate(programPath))
        return EntryResult::Done;
    const std::string before = tools_.DefaultFolderHandler();
    const std::string path = EntryPath();
    if (!MakeFolders(places_.dataHome + "/applications") || !CreateFile(path))
        return EntryResult::CreateFailed;
    if (::access(path.c_str(), W_OK) != 0)
        return EntryResult::OpenFailed;
    if (!ReplaceFile(path, FolderEntryText(programPath)))
        return EntryResult::WriteFailed;
    for (const std::string& copy : ServiceMenuPaths()) {
        // KDE only reads service menus of the user's own folder when they are executable.
        if (!ReplaceFile(copy, ServiceMenuText(programPath)) || ::chmod(copy.c_str(), 0755) != 0)
            return EntryResult::WriteFailed;
    }
    tools_.RefreshDesktopDatabase(places_.dataHome + "/applications");
    KeepDefaultFolderHandler(before);
    return EntryResult::Done;
}

// An entry for folders in the user's own folder comes first among the implicit handlers, so
// it would take over double-clicks on folders; the previous handler is made explicit instead.
void ContextMenuEntry::KeepDefaultFolderHandler(const std::string& before) const {
    if (before.empty() || before == kEntryName || tools_.DefaultFolderHandler() == before)
        return;
    const std::string list = places_.configHome + "/mimeapps.list";
    if (!MakeFolders(places_.configHome))
        return;
    ReplaceFile(list, WithDefaultApplication(ReadFile(list), kFolderType, before));
}

EntryResult ContextMenuEntry::Remove() const {
    const bool removed = ::unlink(EntryPath().c_str()) == 0;
    for (const std::string& copy : ServiceMenuPaths())
        ::unlink(copy.c_str());
    if (removed)
        tools_.RefreshDesktopDatabase(places_.dataHome + "/applications");
    return removed ? EntryResult::Done : EntryResult::NothingToDelete;
}

ContextMenuSetup UserContextMenuSetup() {
    ContextMenuSetup setup;
    setup.programPath = ProgramPath();
    setup.driveAllowsEntry = IsFloppyOrHarddisk;
    return setup;
}

EntryResult SwitchContextMenuEntry(const ContextMenuSetup& setup, bool on) {
    if (!setup.driveAllowsEntry || !setup.driveAllowsEntry(setup.programPath))
        return EntryResult::Skipped;
    const ContextMenuEntry entry(setup.places, setup.tools);
    return on ? entry.Write(setup.programPath) : entry.Remove();
}

EntryReport ReportFor(EntryResult result, const std::string& entryPath) {
    using Box = EntryReport::Box;
    switch (result) {
    case EntryResult::CreateFailed:
        return {Box::Stop, Replaced(Msg(250), entryPath)};
    case EntryResult::OpenFailed:
        return {Box::Error, Msg(155)};
    case EntryResult::WriteFailed:
        return {Box::Stop, Replaced(Msg(251), "Exec")};
    case EntryResult::NothingToDelete:
        return {Box::Error, Msg(157)};
    case EntryResult::Done:
    case EntryResult::Skipped:
        break;
    }
    return {};
}
