#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "results/columns.h"

// The number behind a cell: bytes for a size cell whatever unit it shows, seconds since the
// epoch for a time, the count for the files and subfolders cells; none for text.
using CellNumber = std::optional<std::int64_t>;

class RowFolder;

// A cell's text split at its last '/': the part before and the part after, as views that last
// as long as the row (or the scratch text they were made in).
struct CellSplit {
    std::string_view folder, name;
    bool hasFolder = false;            // the text has a '/'
    const RowFolder* shared = nullptr; // the same for rows whose folder part is one shared folder
};

// One row of the result list behind one pointer, in one exactly sized block. A row of a search
// shares its folder's path with the other rows found there and keeps sizes, times, counts,
// attributes and type names as numbers, their texts made when asked for; a row made from texts
// keeps them as they are. The block: a byte with the cell count (and whether a folder follows),
// the folder, then each cell as row_cells writes it.
class ResultRow {
  public:
    ResultRow() = default;
    // A row of the given cells, made in one allocation; numbers, when given, parallel to cells.
    static ResultRow Of(const std::string_view* cells, std::size_t count,
                        const CellNumber* numbers = nullptr);
    // A row of count cells encoded by row_cells, whose forms the folder's format reads.
    static ResultRow Compact(RowFolder& folder, std::size_t count, std::string_view encoded);
    ResultRow(const ResultRow& other);
    ResultRow& operator=(const ResultRow& other);
    ResultRow(ResultRow&& other) noexcept : block_(std::move(other.block_)) {}
    ResultRow& operator=(ResultRow&& other) noexcept;
    ~ResultRow();

    void Append(std::string_view cell);
    // The cell's text, made for the asking; loops over many rows use AppendCell or SplitCell.
    std::string Cell(std::size_t index) const;
    // Appends the cell's text to out, which keeps its storage from row to row.
    void AppendCell(std::size_t index, std::string& out) const;
    // The cell's text split at its last '/', without copying where the row holds the parts;
    // scratch holds a text that has to be made.
    CellSplit SplitCell(std::size_t index, std::string& scratch) const;
    // Every cell's text, one after the other in buffer, viewed by cells (as many as fit); the
    // number of cells viewed.
    std::size_t CellTexts(std::string& buffer, std::span<std::string_view> cells) const;
    std::size_t CellCount() const;
    CellNumber Number(std::size_t index) const;
    std::size_t MemoryBytes() const { return sizeof(*this) + BlockSize(); }

  private:
    static constexpr std::uint8_t kHasFolder = 0x80;
    const RowFolder* Folder() const;
    const char* CellsBegin() const;
    const char* CellAt(std::size_t index) const;
    std::size_t BlockSize() const;
    void Release();

    std::unique_ptr<char[]> block_;
};

// The columns and rows of the result list as displayed.
struct ResultTable {
    std::vector<ColumnSpec> columns;
    std::vector<ResultRow> rows;
};
