#include "system/context_menu_entry.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <optional>
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

std::optional<std::string> ReadIfThere(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return ReadFile(path);
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

bool ContextMenuEntry::CopiesUpToDate(const std::string& programPath) const {
    for (const std::string& copy : ServiceMenuPaths())
        if (ReadFile(copy) != ServiceMenuText(programPath))
            return false;
    return true;
}

// An entry for folders in the user's own applications folder comes first among the programs
// that may open folders, so it would take over double-clicks on folders wherever no default
// was chosen. It is therefore offered for folders only where another program opens them, and
// that program is then written down as the default (where the user had not chosen one).
// Without any such program it names no folder type, so a file manager installed later still
// opens folders; the next start offers the entry then.
EntryResult ContextMenuEntry::Write(const std::string& programPath) const {
    const std::optional<std::string> now = ReadIfThere(EntryPath());
    EntryAdditions additions = now ? AdditionsIn(*now) : EntryAdditions{};
    if (now && CopiesUpToDate(programPath)) {
        // Every start writes an existing entry again; one question to the desktop tools then.
        const bool offered = OffersFolders(*now);
        if (*now == FolderEntryText(programPath, offered, additions)) {
            const std::string handler = tools_.DefaultFolderHandler();
            if (offered ? handler != kEntryName : handler.empty())
                return EntryResult::Done;
        }
    }
    // Out of every folder lookup first, to learn who opens folders without it.
    if (const EntryResult r = WriteEntryFiles(programPath, false, additions);
        r != EntryResult::Done)
        return r;
    Uncache(additions);
    const std::string handler = tools_.DefaultFolderHandler();
    if (handler.empty())
        return WriteEntryFiles(programPath, false, additions);
    Cache(additions);
    // Where the user chose the program itself for folders, that choice stands.
    if (handler != kEntryName && tools_.DefaultFolderHandler() != handler)
        Pin(handler, additions);
    return WriteEntryFiles(programPath, true, additions);
}

EntryResult ContextMenuEntry::WriteEntryFiles(const std::string& programPath, bool offered,
                                              const EntryAdditions& additions) const {
    const std::string path = EntryPath();
    if (!MakeFolders(places_.dataHome + "/applications") || !CreateFile(path))
        return EntryResult::CreateFailed;
    if (::access(path.c_str(), W_OK) != 0)
        return EntryResult::OpenFailed;
    if (!ReplaceFile(path, FolderEntryText(programPath, offered, additions)))
        return EntryResult::WriteFailed;
    for (const std::string& copy : ServiceMenuPaths()) {
        // KDE only reads service menus of the user's own folder when they are executable.
        if (!ReplaceFile(copy, ServiceMenuText(programPath)) || ::chmod(copy.c_str(), 0755) != 0)
            return EntryResult::WriteFailed;
    }
    return EntryResult::Done;
}

std::string ContextMenuEntry::CachePath() const {
    return places_.dataHome + "/applications/mimeinfo.cache";
}

std::string ContextMenuEntry::MimeappsPath() const {
    return places_.configHome + "/mimeapps.list";
}

// Only the entry's own name goes into the cache: regenerating it would also let in other
// entries of the folder that were not there before.
void ContextMenuEntry::Cache(EntryAdditions& additions) const {
    const std::optional<std::string> cache = ReadIfThere(CachePath());
    if (ReplaceFile(CachePath(), WithCachedHandler(cache.value_or(""), kFolderType, kEntryName)) &&
        !cache)
        additions.madeCache = true;
}

void ContextMenuEntry::Uncache(EntryAdditions& additions) const {
    const std::optional<std::string> cache = ReadIfThere(CachePath());
    if (!cache) {
        additions.madeCache = false;
        return;
    }
    const std::string rest = WithoutCachedHandler(*cache, kFolderType, kEntryName);
    if (additions.madeCache && IsEmptyCache(rest)) {
        if (::unlink(CachePath().c_str()) == 0)
            additions.madeCache = false;
    } else if (rest != *cache) {
        ReplaceFile(CachePath(), rest);
    }
}

void ContextMenuEntry::Pin(const std::string& handler, EntryAdditions& additions) const {
    if (!MakeFolders(places_.configHome))
        return;
    const std::optional<std::string> list = ReadIfThere(MimeappsPath());
    // A handler written down before and gone since gives way to the one that opens folders now.
    const std::string text = WithoutDefaultApplication(list.value_or(""), kFolderType, additions);
    EntryAdditions pinned = additions;
    if (ReplaceFile(MimeappsPath(), WithDefaultApplication(text, kFolderType, handler, pinned))) {
        pinned.madeMimeappsList = additions.madeMimeappsList || !list;
        additions = pinned;
    }
}

void ContextMenuEntry::Unpin(const EntryAdditions& additions) const {
    const std::optional<std::string> list = ReadIfThere(MimeappsPath());
    if (additions.pinned.empty() || !list)
        return;
    const std::string rest = WithoutDefaultApplication(*list, kFolderType, additions);
    if (additions.madeMimeappsList && rest.empty())
        ::unlink(MimeappsPath().c_str());
    else if (rest != *list)
        ReplaceFile(MimeappsPath(), rest);
}

// Takes back what switching on added; lines the user changed since stay as they are.
EntryResult ContextMenuEntry::Remove() const {
    const std::optional<std::string> now = ReadIfThere(EntryPath());
    EntryAdditions additions = now ? AdditionsIn(*now) : EntryAdditions{};
    const bool removed = ::unlink(EntryPath().c_str()) == 0;
    for (const std::string& copy : ServiceMenuPaths())
        ::unlink(copy.c_str());
    Uncache(additions);
    Unpin(additions);
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
