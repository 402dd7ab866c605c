#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/desktop_tools.h"
#include "system/desktop_entry_text.h"

// The folder context-menu entry: a desktop entry for folders in the user's applications
// folder, and a copy as a service menu in each KDE service-menu folder in use.

// The user's XDG data and config folders, taken from the environment once.
struct ContextMenuPlaces {
    std::string dataHome;   // applications/ and the KDE service-menu folders below it
    std::string configHome; // mimeapps.list
};
ContextMenuPlaces UserContextMenuPlaces();

enum class EntryResult { Done, Skipped, CreateFailed, OpenFailed, WriteFailed, NothingToDelete };

class ContextMenuEntry {
  public:
    explicit ContextMenuEntry(ContextMenuPlaces places, DesktopTools tools = DesktopTools())
        : places_(std::move(places)), tools_(std::move(tools)) {}

    std::string EntryPath() const;
    // The KDE copies, one per service-menu folder that exists.
    std::vector<std::string> ServiceMenuPaths() const;
    bool Exists() const;
    // Writes the entry for the program. Folders keep opening where they opened before.
    EntryResult Write(const std::string& programPath) const;
    // Deletes the entry and its KDE copies, and takes back what writing it added to the
    // user's files; NothingToDelete when the entry was not there.
    EntryResult Remove() const;
    std::string CachePath() const;    // the applications folder's mimeinfo.cache
    std::string MimeappsPath() const; // the user's mimeapps.list

  private:
    bool CopiesUpToDate(const std::string& programPath) const;
    EntryResult WriteEntryFiles(const std::string& programPath, bool offered,
                                const EntryAdditions& additions) const;
    void Cache(EntryAdditions& additions) const;
    void Uncache(EntryAdditions& additions) const;
    void Pin(const std::string& handler, EntryAdditions& additions) const;
    void Unpin(const EntryAdditions& additions) const;

    ContextMenuPlaces places_;
    DesktopTools tools_;
};

// What the context-menu switch works with; tests put everything in temporary places.
struct ContextMenuSetup {
    ContextMenuPlaces places = UserContextMenuPlaces();
    DesktopTools tools;
    std::string programPath;
    // Whether the entry may be touched for a program on this path's drive.
    std::function<bool(const std::string&)> driveAllowsEntry;
};
ContextMenuSetup UserContextMenuSetup();

// The switch turned on or off.
EntryResult SwitchContextMenuEntry(const ContextMenuSetup& setup, bool on);

// How a result is reported: nothing, an error box or a stop box.
struct EntryReport {
    enum class Box { None, Error, Stop } box = Box::None;
    std::string text;
};
EntryReport ReportFor(EntryResult result, const std::string& entryPath);
