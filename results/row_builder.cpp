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
    ResultRow row;
    if (!structure && options.onlyFolders) {
        if (!seen.insert(item.FolderPath).second) return std::nullopt;
        row.Append(item.FolderPath);
        row.Append(SizeCell(item, unitWord));
        return row;
    }
    row.Append(structure ? item.FolderPath : item.ItemPath);
    for (std::size_t k = 1; k < columns.size(); ++k) {
        const ColumnKind kind = columns[k].kind;
        if (kind == ColumnKind::Size)
            row.Append(SizeCell(item, unitWord));
        else if (structure && (kind == ColumnKind::Type || kind == ColumnKind::Modified ||
                               kind == ColumnKind::LastAccess))
            row.Append({});
        else
            row.Append(CellOf(item, kind));
    }
    return row;
}

void BuildRows(const std::vector<ItemRecord>& items, const std::vector<ColumnSpec>& columns,
               const SearchOptions& options, const std::string& unitWord, SeenFolders& seen,
               std::vector<ResultRow>& rows) {
    for (const ItemRecord& item : items)
        if (auto row = BuildRow(item, columns, options, unitWord, seen))
            rows.push_back(std::move(*row));
}
