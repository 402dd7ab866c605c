#pragma once
#include <initializer_list>
#include <string>
#include <vector>

#include "results/columns.h"
#include "results/result_table.h"

// A result table from captions and rows of cell texts, as the list would show them.
inline ResultTable MakeTable(std::initializer_list<std::string> captions,
                             std::initializer_list<std::initializer_list<std::string>> rows) {
    ResultTable table;
    bool first = true;
    for (const std::string& c : captions) {
        table.columns.push_back({c, KindOfCaption(c, first)});
        first = false;
    }
    for (const auto& cells : rows) {
        ResultRow row;
        for (const std::string& cell : cells)
            row.Append(cell);
        table.rows.push_back(std::move(row));
    }
    return table;
}

inline std::vector<std::string> ColumnOf(const ResultTable& table, std::size_t column) {
    std::vector<std::string> out;
    for (const ResultRow& row : table.rows)
        out.emplace_back(row.Cell(column));
    return out;
}
