#include "save/json_lines.h"

#include <array>
#include <cstdio>

namespace {

constexpr std::size_t kChunk = 1 << 20;

std::string_view KeyOf(ColumnKind kind) {
    switch (kind) {
    case ColumnKind::Path:
        return "path";
    case ColumnKind::Size:
        return "size";
    case ColumnKind::Type:
        return "type";
    case ColumnKind::Modified:
        return "modified";
    case ColumnKind::Created:
        return "created";
    case ColumnKind::LastAccess:
        return "access";
    case ColumnKind::FileCount:
        return "files";
    case ColumnKind::SubfolderCount:
        return "subfolders";
    case ColumnKind::Attributes:
        return "attributes";
    case ColumnKind::ShortName:
        return "shortname";
    default:
        return {};
    }
}

bool IsTime(ColumnKind kind) {
    return kind == ColumnKind::Modified || kind == ColumnKind::Created ||
           kind == ColumnKind::LastAccess;
}

bool IsCount(ColumnKind kind) {
    return kind == ColumnKind::Size || kind == ColumnKind::FileCount ||
           kind == ColumnKind::SubfolderCount;
}

// Length of the well-formed UTF-8 sequence at s[i], 0 when the byte there begins none
// (stray continuation bytes, overlong forms, surrogates, beyond U+10FFFF, cut short).
std::size_t SequenceLength(std::string_view s, std::size_t i) {
    const auto at = [&](std::size_t k) {
        return i + k < s.size() ? static_cast<unsigned char>(s[i + k]) : 0u;
    };
    const unsigned c = at(0);
    if (c < 0x80)
        return 1;
    const auto tail = [&](std::size_t k) { return (at(k) & 0xC0) == 0x80; };
    if (c >= 0xC2 && c <= 0xDF)
        return tail(1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        const unsigned lo = c == 0xE0 ? 0xA0 : 0x80, hi = c == 0xED ? 0x9F : 0xBF;
        return at(1) >= lo && at(1) <= hi && tail(2) ? 3 : 0;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        const unsigned lo = c == 0xF0 ? 0x90 : 0x80, hi = c == 0xF4 ? 0x8F : 0xBF;
        return at(1) >= lo && at(1) <= hi && tail(2) && tail(3) ? 4 : 0;
    }
    return 0;
}

// A JSON string; every byte outside well-formed UTF-8 becomes U+FFFD. False when one did.
bool AppendString(std::string& out, std::string_view text) {
    bool valid = true;
    out.push_back('"');
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = SequenceLength(text, i);
        const char c = text[i];
        if (n == 0) {
            out.append("\uFFFD");
            valid = false;
            ++i;
            continue;
        }
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr std::string_view shortForms = "\b\f\n\r\t";
            constexpr std::string_view letters = "bfnrt";
            if (const std::size_t k = shortForms.find(c); k != std::string_view::npos) {
                out.push_back('\\');
                out.push_back(letters[k]);
            } else {
                std::array<char, 8> hex{};
                std::snprintf(hex.data(), hex.size(), "\\u%04x", static_cast<unsigned>(c));
                out.append(hex.data());
            }
        } else {
            out.append(text.substr(i, n));
        }
        i += n;
    }
    out.push_back('"');
    return valid;
}

void AppendBase64(std::string& out, std::string_view bytes) {
    constexpr std::string_view digits =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    out.push_back('"');
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const auto byte = [&](std::size_t k) {
            return i + k < bytes.size() ? static_cast<unsigned char>(bytes[i + k]) : 0u;
        };
        const unsigned group = byte(0) << 16 | byte(1) << 8 | byte(2);
        for (std::size_t k = 0; k < 4; ++k)
            out.push_back(k <= bytes.size() - i ? digits[(group >> (18 - 6 * k)) & 63] : '=');
    }
    out.push_back('"');
}

void AppendKey(std::string& out, std::string_view key) {
    out.append(",\"").append(key).append("\":");
}

} // namespace

std::string IsoLocalTime(std::time_t t) {
    std::tm tm{};
    if (!localtime_r(&t, &tm))
        return {};
    std::array<char, 48> text{};
    std::strftime(text.data(), text.size(), "%Y-%m-%dT%H:%M:%S", &tm);
    const int offset = static_cast<int>(tm.tm_gmtoff < 0 ? -tm.tm_gmtoff : tm.tm_gmtoff);
    std::string zone(1, tm.tm_gmtoff < 0 ? '-' : '+');
    const auto two = [&](int n) {
        zone.append(1, char('0' + n / 10 % 10)).append(1, char('0' + n % 10));
    };
    two(offset / 3600);
    zone.push_back(':');
    two(offset / 60 % 60);
    if (offset % 60 != 0) { // old local mean times keep their seconds
        zone.push_back(':');
        two(offset % 60);
    }
    return text.data() + zone;
}

JsonLineFormat::JsonLineFormat(const std::vector<ColumnSpec>& columns) {
    for (std::size_t k = 0; k < columns.size(); ++k)
        kinds_.push_back(k == 0 ? ColumnKind::Path : columns[k].kind);
}

void JsonLineFormat::Append(std::string& out, std::span<const std::string_view> cells,
                            CellNumbers numbers) const {
    const std::size_t count = std::min(cells.size(), kinds_.size());
    const std::string_view path = count > 0 ? cells[0] : std::string_view();
    out.append("{\"path\":");
    if (!AppendString(out, path)) {
        AppendKey(out, "path_bytes"); // the name as it is on disk
        AppendBase64(out, path);
    }
    for (std::size_t k = 1; k < count; ++k) {
        const ColumnKind kind = kinds_[k];
        const std::string_view key = KeyOf(kind);
        if (key.empty())
            continue;
        if (IsTime(kind) || IsCount(kind)) {
            if (k >= numbers.size() || !numbers[k].has_value())
                continue; // not recorded by the file system, or not known
            const std::int64_t number = numbers[k].value();
            AppendKey(out, key);
            if (IsTime(kind))
                out.append("\"")
                    .append(IsoLocalTime(static_cast<std::time_t>(number)))
                    .append("\"");
            else
                out.append(std::to_string(number));
            continue;
        }
        AppendKey(out, key);
        AppendString(out, cells[k]);
    }
    out.append("}\n");
}

void JsonLineFormat::Append(std::string& out, const ResultRow& row) const {
    std::array<std::string_view, static_cast<std::size_t>(ColumnKind::Unknown) + 1> cells;
    std::array<CellNumber, cells.size()> numbers;
    const std::size_t count = row.CellTexts(texts_, cells);
    for (std::size_t k = 0; k < count; ++k)
        numbers[k] = row.Number(k);
    Append(out, std::span(cells.data(), count), std::span(numbers.data(), count));
}

JsonLines::JsonLines(const std::vector<ColumnSpec>& columns, Write write)
    : format_(columns), write_(std::move(write)) {
    buffer_.reserve(kChunk + 4096);
}

bool JsonLines::Append(std::span<const std::string_view> cells, CellNumbers numbers) {
    if (ok_)
        format_.Append(buffer_, cells, numbers);
    return Written();
}

bool JsonLines::Append(const ResultRow& row) {
    if (ok_)
        format_.Append(buffer_, row);
    return Written();
}

bool JsonLines::Written() {
    if (ok_ && buffer_.size() >= kChunk) {
        ok_ = write_(buffer_);
        buffer_.clear();
    }
    return ok_;
}

bool JsonLines::Finish() {
    if (ok_ && !buffer_.empty())
        ok_ = write_(buffer_);
    buffer_.clear();
    return ok_;
}

bool WriteJsonLines(const ResultTable& table, const JsonLines::Write& write) {
    JsonLines lines(table.columns, write);
    for (const ResultRow& row : table.rows)
        if (!lines.Append(row))
            return false;
    return lines.Finish();
}
