#include "results/row_builder.h"

namespace {
std::string SizeCell(const ItemRecord& item, const std::string& unitWord) {
    return item.SizeText + " " + unitWord;
}

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
        const std::string size = SizeCell(item, unitWord);
        const std::string_view cells[] = {item.FolderPath, size};
        return ResultRow::Of(cells, 2);
    }
    std::string size;
    std::vector<std::string_view> cells;
    cells.reserve(columns.size());
    cells.push_back(structure ? item.FolderPath : item.ItemPath);
    for (std::size_t k = 1; k < columns.size(); ++k) {
        const ColumnKind kind = columns[k].kind;
        if (kind == ColumnKind::Size) {
            size = SizeCell(item, unitWord);
            cells.push_back(size);
        } else if (structure && (kind == ColumnKind::Type || kind == ColumnKind::Modified ||
                                 kind == ColumnKind::LastAccess)) {
            cells.push_back({});
        } else {
            cells.push_back(CellOf(item, kind));
        }
    }
    return ResultRow::Of(cells.data(), cells.size());
}

void BuildRows(const std::vector<ItemRecord>& items, const std::vector<ColumnSpec>& columns,
               const SearchOptions& options, const std::string& unitWord, SeenFolders& seen,
               std::vector<ResultRow>& rows) {
    for (const ItemRecord& item : items)
        if (auto row = BuildRow(item, columns, options, unitWord, seen))
            rows.push_back(std::move(*row));
}
