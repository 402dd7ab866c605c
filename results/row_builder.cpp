#include "results/row_builder.h"

#include <algorithm>

namespace {
std::string_view CellOf(const ItemRecord& item, ColumnKind kind) {
    switch (kind) {
    case ColumnKind::Type:
        return item.TypeName;
    case ColumnKind::Modified:
        return item.Modified;
    case ColumnKind::Created:
        return item.Created;
    case ColumnKind::LastAccess:
        return item.LastAccess;
    case ColumnKind::FileCount:
        return item.FileCount;
    case ColumnKind::SubfolderCount:
        return item.SubfolderCount;
    case ColumnKind::Attributes:
        return item.Attributes;
    case ColumnKind::ShortName:
        return item.ShortName;
    default:
        return {};
    }
}

CellNumber NumberOf(const ItemNumbers& n, ColumnKind kind) {
    const auto known = [&n](ItemNumbers::Field field, std::int64_t value) -> CellNumber {
        if (n.Has(field))
            return value;
        return std::nullopt;
    };
    switch (kind) {
    case ColumnKind::Size:
        return known(ItemNumbers::Size, n.size);
    case ColumnKind::Modified:
        return known(ItemNumbers::Modified, n.modified);
    case ColumnKind::Created:
        return known(ItemNumbers::Created, n.created);
    case ColumnKind::LastAccess:
        return known(ItemNumbers::Accessed, n.accessed);
    case ColumnKind::FileCount:
        return known(ItemNumbers::Files, n.files);
    case ColumnKind::SubfolderCount:
        return known(ItemNumbers::Subfolders, n.subfolders);
    default:
        return std::nullopt;
    }
}
} // namespace

std::string_view RowCells::Size(const ItemRecord& item, const std::string& unitWord) {
    size_.assign(item.SizeText).append(1, ' ').append(unitWord);
    return size_;
}

bool RowCells::Make(const ItemRecord& item, const std::vector<ColumnSpec>& columns,
                    const SearchOptions& options, const std::string& unitWord, SeenFolders& seen) {
    const bool structure = options.structureMode != ModeNone;
    if (!structure && options.onlyFolders) {
        if (!seen.insert(item.FolderPath).second)
            return false;
        cells_[0] = item.FolderPath;
        cells_[1] = Size(item, unitWord);
        numbers_[0] = std::nullopt;
        numbers_[1] = NumberOf(item.Numbers, ColumnKind::Size);
        count_ = 2;
        return true;
    }
    // Each column kind occurs once, so the cells fit the fixed array.
    count_ = std::min(columns.size(), cells_.size());
    cells_[0] = structure ? item.FolderPath : item.ItemPath;
    numbers_[0] = std::nullopt;
    for (std::size_t k = 1; k < count_; ++k) {
        const ColumnKind kind = columns[k].kind;
        if (kind == ColumnKind::Size) {
            cells_[k] = Size(item, unitWord);
            numbers_[k] = NumberOf(item.Numbers, kind);
        } else if (structure && (kind == ColumnKind::Type || kind == ColumnKind::Modified ||
                                 kind == ColumnKind::LastAccess)) {
            cells_[k] = {};
            numbers_[k] = std::nullopt;
        } else {
            cells_[k] = CellOf(item, kind);
            numbers_[k] = NumberOf(item.Numbers, kind);
        }
    }
    return true;
}

std::optional<ResultRow> BuildRow(const ItemRecord& item, const std::vector<ColumnSpec>& columns,
                                  const SearchOptions& options, const std::string& unitWord,
                                  SeenFolders& seen) {
    RowCells cells;
    if (!cells.Make(item, columns, options, unitWord, seen))
        return std::nullopt;
    return cells.Row();
}

void BuildRows(std::span<const ItemRecord> items, const std::vector<ColumnSpec>& columns,
               const SearchOptions& options, const std::string& unitWord, SeenFolders& seen,
               std::vector<ResultRow>& rows) {
    RowCells cells;
    for (const ItemRecord& item : items)
        if (cells.Make(item, columns, options, unitWord, seen))
            rows.push_back(cells.Row());
}
