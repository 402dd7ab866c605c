#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "results/columns.h"

// One row of the result list: its cells in one exactly sized block behind one pointer, so a
// million rows cost little more than their text. NUL never occurs in a path or a cell text,
// so it separates the cells.
class ResultRow {
  public:
    ResultRow() = default;
    // A row of the given cells, made in one allocation.
    static ResultRow Of(const std::string_view* cells, std::size_t count);
    ResultRow(const ResultRow& other);
    ResultRow& operator=(const ResultRow& other);
    ResultRow(ResultRow&&) noexcept = default;
    ResultRow& operator=(ResultRow&&) noexcept = default;

    void Append(std::string_view cell);
    std::string_view Cell(std::size_t index) const;
    std::size_t CellCount() const;
    std::string_view Cells() const; // the cells, each after the first led by NUL
    std::size_t MemoryBytes() const {
        return sizeof(*this) + (block_ ? kHeader + Cells().size() : 0);
    }

  private:
    static constexpr std::size_t kHeader = sizeof(std::uint32_t) + sizeof(std::uint16_t);
    std::unique_ptr<char[]> block_; // [text length][cell count][text]
};

// The columns and rows of the result list as displayed.
struct ResultTable {
    std::vector<ColumnSpec> columns;
    std::vector<ResultRow> rows;
};
