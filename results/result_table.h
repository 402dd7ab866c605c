#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/columns.h"

// The number behind a cell: bytes for a size cell whatever unit it shows, seconds since the
// epoch for a time, the count for the files and subfolders cells; none for text.
using CellNumber = std::optional<std::int64_t>;

// One row of the result list: its cells in one exactly sized block behind one pointer, so a
// million rows cost little more than their text. NUL never occurs in a path or a cell text,
// so it separates the cells. The numbers behind the cells follow the text.
class ResultRow {
  public:
    ResultRow() = default;
    // A row of the given cells, made in one allocation; numbers, when given, parallel to cells.
    static ResultRow Of(const std::string_view* cells, std::size_t count,
                        const CellNumber* numbers = nullptr);
    ResultRow(const ResultRow& other);
    ResultRow& operator=(const ResultRow& other);
    ResultRow(ResultRow&&) noexcept = default;
    ResultRow& operator=(ResultRow&&) noexcept = default;

    void Append(std::string_view cell);
    std::string_view Cell(std::size_t index) const;
    std::size_t CellCount() const;
    std::string_view Cells() const; // the cells, each after the first led by NUL
    CellNumber Number(std::size_t index) const;
    std::size_t MemoryBytes() const { return sizeof(*this) + BlockSize(); }

  private:
    static constexpr std::size_t kHeader = sizeof(std::uint32_t) + 2 * sizeof(std::uint16_t);
    static constexpr std::size_t kMaxNumbers = 16; // bits of the mask
    std::uint16_t NumberMask() const;
    std::size_t BlockSize() const;
    // [text length][cell count][mask of cells with a number][text][the numbers, unaligned]
    std::unique_ptr<char[]> block_;
};

// The columns and rows of the result list as displayed.
struct ResultTable {
    std::vector<ColumnSpec> columns;
    std::vector<ResultRow> rows;
};
