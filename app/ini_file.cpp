#include "app/ini_file.h"

#include <charconv>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string Folded(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return r;
}

std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trimmed(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trimmed(line.substr(1, close - 1));
}

// The key and the raw value of a "key=value" line.
std::optional<std::pair<std::string_view, std::string_view>> KeyAndValue(std::string_view line) {
    const std::string_view t = Trimmed(line);
    if (t.empty() || t.front() == ';' || t.front() == '[')
        return std::nullopt;
    const std::size_t eq = t.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    const std::string_view key = Trimmed(t.substr(0, eq));
    if (key.empty())
        return std::nullopt;
    return std::pair{key, t.substr(eq + 1)};
}

// At most the longest value, never ending in the middle of a UTF-8 character.
std::string_view Limited(std::string_view v) {
    if (v.size() <= IniFile::kMaxValueLength)
        return v;
    std::size_t n = IniFile::kMaxValueLength;
    for (int i = 0; i < 3 && n > 0 && (static_cast<unsigned char>(v[n]) & 0xC0) == 0x80; ++i)
        --n;
    return v.substr(0, n);
}

// A value reads as a C string would; one pair of double quotes keeps outer blanks.
std::string Decoded(std::string_view raw) {
    raw = Trimmed(raw.substr(0, raw.find('\0')));
    if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"')
        raw = raw.substr(1, raw.size() - 2);
    return std::string(Limited(raw));
}

std::string Encoded(std::string_view value) {
    if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        return {};
    const bool quote =
        !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) ||
                           (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
    return quote ? "\"" + std::string(value) + "\"" : std::string(value);
}

// A line without the CR of a CR LF line end.
std::string_view Content(std::string_view line) {
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return line;
}

} // namespace

std::optional<int> ParseIniInteger(std::string_view value) {
    int base = 10;
    if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        value.remove_prefix(2);
        base = 16;
        if (value.front() == '-') // from_chars would take a sign after the prefix
            return std::nullopt;
    }
    int result = 0;
    const char* end = value.data() + value.size();
    const auto [ptr, ec] = std::from_chars(value.data(), end, result, base);
    if (value.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return result;
}

IniFile IniFile::Parse(std::string_view text) {
    IniFile ini;
    // Every leading mark: one kept as a line would be read as a mark once written back.
    while (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    const std::size_t firstBreak = text.find('\n');
    ini.crLf_ =
        firstBreak != std::string_view::npos && firstBreak > 0 && text[firstBreak - 1] == '\r';
    ini.parts_.emplace_back();
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        ini.AddLine(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    ini.Reindex();
    return ini;
}

void IniFile::AddLine(std::string_view line) {
    if (const auto name = SectionName(Content(line))) {
        parts_.push_back(Part{Folded(*name), true, {Line{std::string(line), false}}});
        return;
    }
    parts_.back().lines.push_back(Line{std::string(line), KeyAndValue(Content(line)).has_value()});
}

std::string IniFile::NewLine(std::string text) const {
    if (crLf_)
        text.push_back('\r');
    return text;
}

void IniFile::Index(std::size_t part, std::size_t line) {
    const auto key = KeyAndValue(Content(parts_[part].lines[line].text));
    sections_[parts_[part].name].keys.try_emplace(Folded(key->first), Place{part, line});
}

void IniFile::Reindex() {
    sections_.clear();
    for (std::size_t p = 0; p < parts_.size(); ++p) {
        if (!parts_[p].named)
            continue;
        sections_[parts_[p].name].parts.push_back(p);
        for (std::size_t l = 0; l < parts_[p].lines.size(); ++l)
            if (parts_[p].lines[l].isKey)
                Index(p, l);
    }
}

const IniFile::Section* IniFile::Find(std::string_view section) const {
    const auto it = sections_.find(Folded(section));
    return it == sections_.end() ? nullptr : &it->second;
}

std::string IniFile::Serialized() const {
    std::string text;
    for (const Part& part : parts_)
        for (const Line& line : part.lines)
            text.append(line.text).push_back('\n');
    return text;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    const Section* s = Find(section);
    if (!s)
        return std::nullopt;
    const auto it = s->keys.find(Folded(key));
    if (it == s->keys.end())
        return std::nullopt;
    const std::string& line = parts_[it->second.part].lines[it->second.line].text;
    return Decoded(KeyAndValue(Content(line))->second);
}

std::size_t IniFile::KeyCount(std::string_view section) const {
    const Section* s = Find(section);
    return s ? s->keys.size() : 0;
}

void IniFile::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    std::string text = NewLine(std::string(key) + "=" + Encoded(value));
    const std::string name = Folded(section);
    if (!sections_.contains(name)) {
        parts_.push_back(
            Part{name, true, {Line{NewLine("[" + std::string(section) + "]"), false}}});
        sections_[name].parts.push_back(parts_.size() - 1);
    }
    Section& s = sections_[name];
    if (const auto it = s.keys.find(Folded(key)); it != s.keys.end()) {
        parts_[it->second.part].lines[it->second.line].text = std::move(text);
        return;
    }
    // New keys follow the last key of the section's first part, so no indexed line moves.
    const std::size_t p = s.parts.front();
    std::vector<Line>& lines = parts_[p].lines;
    std::size_t at = lines.size();
    while (at > 1 && !lines[at - 1].isKey)
        --at;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), true});
    Index(p, at);
}

void IniFile::EraseSection(std::string_view section) {
    const std::string name = Folded(section);
    std::erase_if(parts_, [&](const Part& p) { return p.named && p.name == name; });
    Reindex();
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string fallback) const {
    auto v = Value(section, key);
    return v ? std::move(*v) : std::move(fallback);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
    const auto v = Value(section, key);
    const auto n = v ? ParseIniInteger(*v) : std::nullopt;
    return n.value_or(fallback);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    SetValue(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    SetValue(section, key, value ? "1" : "0");
}
