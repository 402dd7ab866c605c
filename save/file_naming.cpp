#include "save/file_naming.h"

#include "resources/strings.h"

bool IsForbiddenNameCharacter(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code < 32 || std::string_view(R"("*/:<>?\|)").find(c) != std::string_view::npos;
}

bool IsValidFileName(std::string_view name) {
    if (CharacterCount(name) < 5 || name.front() == '.' || name.back() == '.')
        return false;
    for (const char c : name)
        if (IsForbiddenNameCharacter(c))
            return false;
    return true;
}

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        std::size_t taken = 1;
        while (taken < length && i + taken < text.size() &&
               (static_cast<unsigned char>(text[i + taken]) & 0xC0) == 0x80)
            ++taken;
        i += taken == length ? length : 1;
    }
    return count;
}

std::string TrimBlanksAndControls(std::string_view text) {
    const auto kept = [](char c) { return static_cast<unsigned char>(c) > ' '; };
    std::size_t first = 0, end = text.size();
    while (first < end && !kept(text[first]))
        ++first;
    while (end > first && !kept(text[end - 1]))
        --end;
    return std::string(text.substr(first, end - first));
}

void DeleteAsteriskandPoint(std::string& text) {
    if (const auto at = text.find("*.*"); at != std::string::npos)
        text.replace(at, 3, MessageText(189));
    if (const auto at = text.find("*."); at != std::string::npos)
        text.erase(at, 2);
}

std::string& TransformComposedName(std::string& name) {
    for (char& c : name)
        if (IsForbiddenNameCharacter(c))
            c = '_';
    if (!name.empty() && name.front() == '.')
        name.front() = '_';
    if (!name.empty() && name.back() == '.')
        name.back() = '_';
    std::string collapsed;
    collapsed.reserve(name.size());
    for (const char c : name)
        if (c != '_' || collapsed.empty() || collapsed.back() != '_')
            collapsed.push_back(c);
    name = std::move(collapsed);
    return name;
}
