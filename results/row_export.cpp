#include "results/row_export.h"

#include <algorithm>

namespace {

std::string TabCell(std::string_view cell) {
    const bool quoted =
        cell.find_first_of("\t\r\n") != std::string_view::npos || (!cell.empty() && cell[0] == '"');
    if (!quoted)
        return std::string(cell);
    std::string out = "\"";
    for (const char c : cell) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + '"';
}

// Each row once, in the table's order; indexes outside the table are left out.
std::vector<std::size_t> InTableOrder(const ResultTable& table, std::vector<std::size_t> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::find_if(rows.begin(), rows.end(),
                            [&](std::size_t r) { return r >= table.rows.size(); }),
               rows.end());
    return rows;
}

} // namespace

std::string RowsAsTabSeparated(const ResultTable& table, const std::vector<std::size_t>& rows) {
    std::string out;
    const auto line = [&](const auto& cellAt) {
        for (std::size_t c = 0; c < table.columns.size(); ++c)
            out += (c > 0 ? "\t" : "") + TabCell(cellAt(c));
        out += '\n';
    };
    line([&](std::size_t c) { return std::string_view(table.columns[c].caption); });
    for (const std::size_t r : InTableOrder(table, rows))
        line([&](std::size_t c) { return table.rows[r].Cell(c); });
    return out;
}

std::string RowPaths(const ResultTable& table, const std::vector<std::size_t>& rows) {
    std::string out;
    for (const std::size_t r : InTableOrder(table, rows))
        out.append(table.rows[r].Cell(0)).append("\n");
    return out;
}

std::string FileUrl(std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "file://";
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           c == '/';
        if (plain) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string RowUriList(const ResultTable& table, const std::vector<std::size_t>& rows) {
    std::string out;
    for (const std::size_t r : InTableOrder(table, rows))
        out.append(FileUrl(table.rows[r].Cell(0))).append("\r\n");
    return out;
}
