#pragma once
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

#include "results/result_table.h"
#include "results/row_format.h"
#include "search/item_record.h"

// Makes a search's rows compact: rows found in one folder share its path, and a cell whose text
// follows from its number (or attribute letters, or type name) keeps only that. A cell whose
// text is made differently keeps its text, so every cell reads back byte for byte.
class CompactRows {
  public:
    ResultRow Make(std::span<const std::string_view> cells, std::span<const CellNumber> numbers,
                   std::span<const ColumnKind> kinds, bool structure);
    // The size unit and its word of the search; a change starts a new format. The texts are
    // made by the locale's formats, the current ones unless given.
    void Use(int sizeUnit, const std::string& unitWord,
             const LocaleFormats& formats = CurrentLocale());

  private:
    void PutCell(std::string_view text, CellNumber number, ColumnKind kind, bool structure);
    bool PutNumber(std::string_view text, CellNumber number, row_cells::Form form);
    RowFolder& FolderOf(std::string_view path);

    std::shared_ptr<RowFormat> format_;
    const LocaleFormats* formats_ = nullptr;
    // The folders met last: rows come folder by folder, now and then back to one above.
    std::array<FolderRef, 8> recent_;
    std::size_t nextRecent_ = 0;
    std::string encoded_, made_;
};

// What the rows of one search share: the folder paths that already have a row in an
// only-folders search (exact comparison), and the folders and texts its compact rows keep.
struct SeenFolders {
    std::unordered_set<std::string> paths;
    CompactRows rows;
};

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
    std::span<const ColumnKind> Kinds() const { return {kinds_.data(), count_}; }
    ResultRow Row() const { return ResultRow::Of(cells_.data(), count_, numbers_.data()); }

  private:
    std::string_view Size(const ItemRecord& item, const std::string& unitWord);

    static constexpr std::size_t kMaxCells = static_cast<std::size_t>(ColumnKind::Unknown) + 1;
    std::array<std::string_view, kMaxCells> cells_;
    std::array<CellNumber, kMaxCells> numbers_;
    std::array<ColumnKind, kMaxCells> kinds_;
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
