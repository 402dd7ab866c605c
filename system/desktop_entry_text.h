#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/translations.h"

// Texts of freedesktop desktop entries.

// What switching the folder entry on added to the user's files besides the entry itself. It is
// written down in the entry, so that switching it off takes back exactly that and keeps
// whatever the user changed since.
struct EntryAdditions {
    std::string pinned;                    // put first among the default folder handlers
    std::optional<std::string> pinnedOver; // what that key held before, when it was there
    bool madeMimeappsList = false;
    bool madeDefaultSection = false;
    bool madeCache = false; // the applications folder's mimeinfo.cache
    bool operator==(const EntryAdditions&) const = default;
};

// One Exec= argument, quoted and escaped so that a launcher passes it unchanged.
std::string QuoteExecArgument(const std::string& argument);
// The entry for the applications folder, started with the folder. Offered, it names the
// folder type; otherwise it stays out of every folder lookup.
std::string FolderEntryText(const std::string& programPath, bool offered,
                            const EntryAdditions& additions = {});
// The same with the comment's wordings given, the default first. The comment is in English with
// the other languages' wordings beside it, so a file manager shows it in the desktop's language.
std::string FolderEntryText(const std::string& programPath, bool offered,
                            const EntryAdditions& additions,
                            const std::vector<LocalizedText>& comment);
// What an entry written by FolderEntryText says about itself.
bool OffersFolders(const std::string& entryText);
EntryAdditions AdditionsIn(const std::string& entryText);
// The same command as a KDE service menu.
std::string ServiceMenuText(const std::string& programPath);

// mimeapps.list text with desktopId first among the default applications of mimeType, the
// previous ones after it; additions learns what was there. The reverse takes back only a line
// that still reads as it was written.
std::string WithDefaultApplication(const std::string& mimeappsText, const std::string& mimeType,
                                   const std::string& desktopId, EntryAdditions& additions);
std::string WithoutDefaultApplication(const std::string& mimeappsText, const std::string& mimeType,
                                      const EntryAdditions& additions);
// mimeinfo.cache text with desktopId added last among the handlers of mimeType, or removed.
std::string WithCachedHandler(const std::string& cacheText, const std::string& mimeType,
                              const std::string& desktopId);
std::string WithoutCachedHandler(const std::string& cacheText, const std::string& mimeType,
                                 const std::string& desktopId);
// A cache that holds no handler at all.
bool IsEmptyCache(const std::string& cacheText);
