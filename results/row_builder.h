#pragma once
#include <array>
#include <optional>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

#include "results/result_table.h"
#include "search/item_record.h"

// Folder paths that already have a row in an only-folders search (exact comparison).
using SeenFolders = std::unordered_set<std::string>;

// The cells of an item's row, in column order, as views of the record's texts; the size cell
// (number, blank, unit word) is put together here. Beside each cell the number behind it.
// Made for one row at a time.
class RowCells {
  public:
    // False for a folder already listed, which gets no row.
    bool Make(const ItemRecord& item, const std::vector<ColumnSpec>& columns,
              const SearchOptions& options, const std::string& unitWord, SeenFolders& seen);
    std::span<const std::string_view> Cells() const { return {cells_.data(), count_}; }
    std::span<const CellNumber> Numbers() const { return {numbers_.data(), count_}; }
    ResultRow Row() const { return ResultRow::Of(cells_.data(), count_, numbers_.data()); }

  private:
    std::string_view Size(const ItemRecord& item, const std::string& unitWord);

    static constexpr std::size_t kMaxCells = static_cast<std::size_t>(ColumnKind::Unknown) + 1;
    std::array<std::string_view, kMaxCells> cells_;
    std::array<CellNumber, kMaxCells> numbers_;
    std::size_t count_ = 0;
    std::string size_;
};

// Turns an item record into a row of the given columns; nothing for a folder already listed.
std::optional<ResultRow> BuildRow(const ItemRecord& item, const std::vector<ColumnSpec>& columns,
                                  const SearchOptions& options, const std::string& unitWord,
                                  SeenFolders& seen);

// The rows of a batch of item records, appended in order; both front ends take their rows here.
void BuildRows(std::span<const ItemRecord> items, const std::vector<ColumnSpec>& columns,
               const SearchOptions& options, const std::string& unitWord, SeenFolders& seen,
               std::vector<ResultRow>& rows);
