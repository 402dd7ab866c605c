#include "system/desktop_entry_text.h"

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

std::string FolderEntryText(const std::string& programPath) {
    return FolderEntryText(programPath, TextInEveryLanguage(254));
}

std::string FolderEntryText(const std::string& programPath,
                            const std::vector<LocalizedText>& comment) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Pathquill\n" +
           LocalizedLines("Comment", comment) + "Icon=pathquill\n" + ExecLine(programPath) +
           "Terminal=false\n"
           "NoDisplay=true\n"
           "MimeType=inode/directory;\n";
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
                                   const std::string& desktopId) {
    const std::string section = "[Default Applications]";
    const std::string key = mimeType + "=";
    std::string out;
    bool inSection = false, sectionSeen = false, done = false;
    std::size_t pos = 0;
    while (pos < mimeappsText.size()) {
        std::size_t end = mimeappsText.find('\n', pos);
        if (end == std::string::npos)
            end = mimeappsText.size();
        const std::string line = mimeappsText.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.front() == '[') {
            if (inSection && !done) {
                out += key + desktopId + ";\n";
                done = true;
            }
            inSection = line == section;
            sectionSeen = sectionSeen || inSection;
        } else if (inSection && !done && line.rfind(key, 0) == 0) {
            out += key + desktopId + ";" + line.substr(key.size()) + "\n";
            done = true;
            continue;
        }
        out += line + "\n";
    }
    if (inSection && !done)
        out += key + desktopId + ";\n";
    else if (!sectionSeen)
        out += (out.empty() ? "" : "\n") + section + "\n" + key + desktopId + ";\n";
    return out;
}
