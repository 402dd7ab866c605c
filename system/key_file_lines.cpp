#include "system/key_file_lines.h"

namespace {
bool IsHeader(const std::string& line) {
    return !line.empty() && line.front() == '[';
}

bool IsBlank(const std::string& line) {
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

std::vector<std::string> Items(const std::string& list) {
    std::vector<std::string> items;
    for (std::size_t at = 0; at < list.size();) {
        std::size_t end = list.find(';', at);
        if (end == std::string::npos)
            end = list.size();
        if (end > at)
            items.push_back(list.substr(at, end - at));
        at = end + 1;
    }
    return items;
}
} // namespace

KeyFileLines::KeyFileLines(const std::string& text) {
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) {
            lines_.push_back(text.substr(at));
            finalNewline_ = false;
            break;
        }
        lines_.push_back(text.substr(at, end - at));
        at = end + 1;
    }
}

std::string KeyFileLines::Text() const {
    std::string text;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        text += lines_[i];
        if (i + 1 < lines_.size() || finalNewline_)
            text += '\n';
    }
    return text;
}

std::optional<std::size_t> KeyFileLines::Header(const std::string& section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i] == "[" + section + "]")
            return i;
    return std::nullopt;
}

std::size_t KeyFileLines::SectionEnd(std::size_t header) const {
    std::size_t end = header + 1;
    while (end < lines_.size() && !IsHeader(lines_[end]))
        ++end;
    return end;
}

std::optional<std::size_t> KeyFileLines::KeyLine(const std::string& section,
                                                 const std::string& key) const {
    const auto header = Header(section);
    if (!header)
        return std::nullopt;
    for (std::size_t i = *header + 1; i < SectionEnd(*header); ++i)
        if (lines_[i].rfind(key + "=", 0) == 0)
            return i;
    return std::nullopt;
}

std::optional<std::string> KeyFileLines::Value(const std::string& section,
                                               const std::string& key) const {
    const auto line = KeyLine(section, key);
    if (!line)
        return std::nullopt;
    return lines_[*line].substr(key.size() + 1);
}

bool KeyFileLines::Set(const std::string& section, const std::string& key,
                       const std::string& value) {
    const std::string line = key + "=" + value;
    if (const auto at = KeyLine(section, key)) {
        lines_[*at] = line;
        return false;
    }
    if (const auto header = Header(section)) {
        std::size_t at = SectionEnd(*header);
        while (at > *header + 1 && IsBlank(lines_[at - 1]))
            --at; // before the blank lines that part it from the next section
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), line);
        return false;
    }
    if (!lines_.empty() && !IsBlank(lines_.back()))
        lines_.push_back("");
    lines_.push_back("[" + section + "]");
    lines_.push_back(line);
    finalNewline_ = true;
    return true;
}

void KeyFileLines::Remove(const std::string& section, const std::string& key,
                          bool dropEmptySection) {
    const auto at = KeyLine(section, key);
    if (!at)
        return;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*at));
    const std::size_t header = *Header(section);
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i)
        if (!IsBlank(lines_[i]))
            return;
    if (!dropEmptySection)
        return;
    std::size_t from = header;
    if (from > 0 && IsBlank(lines_[from - 1]) && end == lines_.size())
        --from; // the line Set put before a section it added at the end

    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(from),
                 lines_.begin() + static_cast<std::ptrdiff_t>(end));
}

bool HasListItem(const std::string& list, const std::string& id) {
    for (const std::string& item : Items(list))
        if (item == id)
            return true;
    return false;
}

std::string WithListItem(const std::string& list, const std::string& id) {
    if (HasListItem(list, id))
        return list;
    return list + (list.empty() || list.back() == ';' ? "" : ";") + id + ";";
}

std::string WithoutListItem(const std::string& list, const std::string& id) {
    std::string out;
    for (const std::string& item : Items(list))
        if (item != id)
            out += item + ";";
    return out;
}
