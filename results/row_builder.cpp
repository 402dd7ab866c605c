#include "results/row_builder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {
// The size cell, the number text, a blank and the unit word, put together on the stack when
// it fits, so building a row allocates nothing but the row.
class SizeCell {
  public:
    SizeCell(const ItemRecord& item, const std::string& unitWord) {
        const std::size_t length = item.SizeText.size() + 1 + unitWord.size();
        if (length > sizeof buffer_) {
            long_ = item.SizeText + " " + unitWord;
            text_ = long_;
            return;
        }
        std::memcpy(buffer_, item.SizeText.data(), item.SizeText.size());
        buffer_[item.SizeText.size()] = ' ';
        std::memcpy(buffer_ + item.SizeText.size() + 1, unitWord.data(), unitWord.size());
        text_ = std::string_view(buffer_, length);
    }
    SizeCell(const SizeCell&) = delete;
    SizeCell& operator=(const SizeCell&) = delete;
    std::string_view Text() const { return text_; }

  private:
    char buffer_[64];
    std::string long_;
    std::string_view text_;
};

std::string_view CellOf(const ItemRecord& item, ColumnKind kind) {
    switch (kind) {
    case ColumnKind::Type: return item.TypeName;
    case ColumnKind::Modified: return item.Modified;
    case ColumnKind::Created: return item.Created;
    case ColumnKind::LastAccess: return item.LastAccess;
    case ColumnKind::FileCount: return item.FileCount;
    case ColumnKind::SubfolderCount: return item.SubfolderCount;
    case ColumnKind::Attributes: return item.Attributes;
    case ColumnKind::ShortName: return item.ShortName;
    default: return {};
    }
}
} // namespace

std::optional<ResultRow> BuildRow(const ItemRecord& item, const std::vector<ColumnSpec>& columns,
                                  const SearchOptions& options, const std::string& unitWord,
                                  SeenFolders& seen) {
    const bool structure = options.structureMode != ModeNone;
    if (!structure && options.onlyFolders) {
        if (!seen.insert(item.FolderPath).second) return std::nullopt;
        const SizeCell size(item, unitWord);
        const std::string_view cells[] = {item.FolderPath, size.Text()};
        return ResultRow::Of(cells, 2);
    }
    // Each column kind occurs once, so the cells fit a fixed array.
    std::array<std::string_view, static_cast<std::size_t>(ColumnKind::Unknown) + 1> cells;
    const std::size_t count = std::min(columns.size(), cells.size());
    const SizeCell size(item, unitWord);
    cells[0] = structure ? item.FolderPath : item.ItemPath;
    for (std::size_t k = 1; k < count; ++k) {
        const ColumnKind kind = columns[k].kind;
        if (kind == ColumnKind::Size) {
            cells[k] = size.Text();
        } else if (structure && (kind == ColumnKind::Type || kind == ColumnKind::Modified ||
                                 kind == ColumnKind::LastAccess)) {
            cells[k] = {};
        } else {
            cells[k] = CellOf(item, kind);
        }
    }
    return ResultRow::Of(cells.data(), count);
}

void BuildRows(const std::vector<ItemRecord>& items, const std::vector<ColumnSpec>& columns,
               const SearchOptions& options, const std::string& unitWord, SeenFolders& seen,
               std::vector<ResultRow>& rows) {
    for (const ItemRecord& item : items)
        if (auto row = BuildRow(item, columns, options, unitWord, seen))
            rows.push_back(std::move(*row));
}
