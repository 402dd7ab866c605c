#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "results/columns.h"

// One row of the result list, its cells kept in a single buffer (NUL never occurs in a
// path or a cell text, so it separates them).
class ResultRow {
public:
    void Append(std::string_view cell);
    std::string_view Cell(std::size_t index) const;
    std::size_t CellCount() const;
    std::string_view Cells() const { return cells_; } // the cells, each after the first led by NUL
    std::size_t MemoryBytes() const { return sizeof(*this) + (cells_.capacity() > 15 ? cells_.capacity() : 0); }

private:
    std::string cells_;
    std::uint16_t count_ = 0;
};

// The columns and rows of the result list as displayed.
struct ResultTable {
    std::vector<ColumnSpec> columns;
    std::vector<ResultRow> rows;
};
