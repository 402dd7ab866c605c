#include "system/desktop_entry_text.h"

#include "resources/strings.h"
#include "system/key_file_lines.h"

namespace {
// The general escapes of string values, applied after the Exec quoting.
std::string EscapeValue(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string ExecLine(const std::string& programPath) {
    return "Exec=" + QuoteExecArgument(programPath) + " %f\n";
}

// "Key=" the default wording, then "Key[de]=" and the like where a language words it otherwise.
std::string LocalizedLines(const std::string& key, const std::vector<LocalizedText>& texts) {
    if (texts.empty())
        return {};
    std::string lines = key + "=" + EscapeValue(texts.front().text) + "\n";
    for (std::size_t i = 1; i < texts.size(); ++i)
        if (texts[i].text != texts.front().text)
            lines += key + "[" + texts[i].language + "]=" + EscapeValue(texts[i].text) + "\n";
    return lines;
}
} // namespace

std::string QuoteExecArgument(const std::string& argument) {
    // Always quoted: an unquoted program path is split at its first blank.
    std::string quoted = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
        if (c == '%')
            quoted += '%';
    }
    quoted += '"';
    return EscapeValue(quoted);
}

namespace {
constexpr const char* kDefaults = "Default Applications";
constexpr const char* kCache = "MIME Cache";
constexpr const char* kEntry = "Desktop Entry";
constexpr const char* kPinned = "X-Pathquill-Pinned";
constexpr const char* kPinnedOver = "X-Pathquill-Pinned-Over";
constexpr const char* kMade = "X-Pathquill-Made";
constexpr const char* kMadeNames[] = {"mimeapps.list", "Default Applications", "mimeinfo.cache"};
std::string AdditionLines(const EntryAdditions& a) {
    std::string lines;
    if (!a.pinned.empty())
        lines += std::string(kPinned) + "=" + a.pinned + "\n";
    if (a.pinnedOver)
        lines += std::string(kPinnedOver) + "=" + *a.pinnedOver + "\n";
    const bool made[] = {a.madeMimeappsList, a.madeDefaultSection, a.madeCache};
    std::string list;
    for (std::size_t i = 0; i < std::size(made); ++i)
        if (made[i])
            list += std::string(kMadeNames[i]) + ";";
    if (!list.empty())
        lines += std::string(kMade) + "=" + list + "\n";
    return lines;
}
} // namespace

std::string FolderEntryText(const std::string& programPath, bool offered,
                            const EntryAdditions& additions) {
    return FolderEntryText(programPath, offered, additions, TextInEveryLanguage(254));
}

std::string FolderEntryText(const std::string& programPath, bool offered,
                            const EntryAdditions& additions,
                            const std::vector<LocalizedText>& comment) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Pathquill\n" +
           LocalizedLines("Comment", comment) + "Icon=pathquill\n" + ExecLine(programPath) +
           "Terminal=false\n"
           "NoDisplay=true\n" +
           (offered ? "MimeType=inode/directory;\n" : "") + AdditionLines(additions);
}

bool OffersFolders(const std::string& entryText) {
    return KeyFileLines(entryText).Value(kEntry, "MimeType").has_value();
}

EntryAdditions AdditionsIn(const std::string& entryText) {
    const KeyFileLines entry(entryText);
    EntryAdditions a;
    a.pinned = entry.Value(kEntry, kPinned).value_or("");
    a.pinnedOver = entry.Value(kEntry, kPinnedOver);
    const std::string made = entry.Value(kEntry, kMade).value_or("");
    a.madeMimeappsList = HasListItem(made, kMadeNames[0]);
    a.madeDefaultSection = HasListItem(made, kMadeNames[1]);
    a.madeCache = HasListItem(made, kMadeNames[2]);
    return a;
}

std::string ServiceMenuText(const std::string& programPath) {
    return "[Desktop Entry]\n"
           "Type=Service\n"
           "MimeType=inode/directory;\n"
           "Actions=pathquill;\n"
           "X-KDE-ServiceTypes=KonqPopupMenu/Plugin\n"
           "\n"
           "[Desktop Action pathquill]\n"
           "Name=Pathquill\n"
           "Icon=pathquill\n" +
           ExecLine(programPath);
}

std::string WithDefaultApplication(const std::string& mimeappsText, const std::string& mimeType,
                                   const std::string& desktopId, EntryAdditions& additions) {
    KeyFileLines list(mimeappsText);
    const std::optional<std::string> before = list.Value(kDefaults, mimeType);
    additions.pinned = desktopId;
    additions.pinnedOver = before;
    additions.madeDefaultSection =
        list.Set(kDefaults, mimeType, desktopId + ";" + before.value_or(""));
    return list.Text();
}

std::string WithoutDefaultApplication(const std::string& mimeappsText, const std::string& mimeType,
                                      const EntryAdditions& additions) {
    KeyFileLines list(mimeappsText);
    if (additions.pinned.empty() || list.Value(kDefaults, mimeType) !=
                                        additions.pinned + ";" + additions.pinnedOver.value_or(""))
        return mimeappsText; // changed since: the user's now
    if (additions.pinnedOver)
        list.Set(kDefaults, mimeType, *additions.pinnedOver);
    else
        list.Remove(kDefaults, mimeType, additions.madeDefaultSection);
    return list.Text();
}

std::string WithCachedHandler(const std::string& cacheText, const std::string& mimeType,
                              const std::string& desktopId) {
    KeyFileLines cache(cacheText.empty() ? "[MIME Cache]\n" : cacheText);
    cache.Set(kCache, mimeType,
              WithListItem(cache.Value(kCache, mimeType).value_or(""), desktopId));
    return cache.Text();
}

std::string WithoutCachedHandler(const std::string& cacheText, const std::string& mimeType,
                                 const std::string& desktopId) {
    KeyFileLines cache(cacheText);
    const std::optional<std::string> handlers = cache.Value(kCache, mimeType);
    if (!handlers || !HasListItem(*handlers, desktopId))
        return cacheText;
    const std::string rest = WithoutListItem(*handlers, desktopId);
    if (rest.empty())
        cache.Remove(kCache, mimeType, false);
    else
        cache.Set(kCache, mimeType, rest);
    return cache.Text();
}

bool IsEmptyCache(const std::string& cacheText) {
    return cacheText.find('=') == std::string::npos;
}
