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
        if (!seen.paths.insert(item.FolderPath).second)
            return false;
        cells_[0] = item.FolderPath;
        cells_[1] = Size(item, unitWord);
        numbers_[0] = std::nullopt;
        numbers_[1] = NumberOf(item.Numbers, ColumnKind::Size);
        kinds_[0] = ColumnKind::Path;
        kinds_[1] = ColumnKind::Size;
        count_ = 2;
        return true;
    }
    // Each column kind occurs once, so the cells fit the fixed array.
    count_ = std::min(columns.size(), cells_.size());
    cells_[0] = structure ? item.FolderPath : item.ItemPath;
    numbers_[0] = std::nullopt;
    kinds_[0] = ColumnKind::Path;
    for (std::size_t k = 1; k < count_; ++k) {
        const ColumnKind kind = columns[k].kind;
        kinds_[k] = kind;
        if (kind == ColumnKind::Size) {
            cells_[k] = Size(item, unitWord);
            numbers_[k] = NumberOf(item.Numbers, kind);
        } else if (structure && (kind == ColumnKind::Type || kind == ColumnKind::Modified ||
                                 kind == ColumnKind::LastAccess)) {
            cells_[k] = {};
            numbers_[k] = std::nullopt;
            kinds_[k] = ColumnKind::Unknown;
        } else {
            cells_[k] = CellOf(item, kind);
            numbers_[k] = NumberOf(item.Numbers, kind);
        }
    }
    return true;
}

void CompactRows::Use(int sizeUnit, const std::string& unitWord, const LocaleFormats& formats) {
    if (format_ && format_->SizeUnit() == sizeUnit && format_->UnitWordText() == unitWord &&
        &formats == formats_)
        return;
    recent_.fill(FolderRef());
    format_ = std::make_shared<RowFormat>(sizeUnit, unitWord, formats);
    formats_ = &formats;
}

ResultRow CompactRows::Make(std::span<const std::string_view> cells,
                            std::span<const CellNumber> numbers, std::span<const ColumnKind> kinds,
                            bool structure) {
    if (cells.empty())
        return ResultRow::Of(cells.data(), 0);
    // The folder is the text before the last '/'; a path without one keeps its text.
    const std::string_view path = cells[0];
    const std::size_t slash = path.rfind('/');
    encoded_.clear();
    if (slash == std::string_view::npos)
        row_cells::PutText(encoded_, path, numbers[0]);
    else
        row_cells::PutInFolder(encoded_, path.substr(slash + 1));
    for (std::size_t k = 1; k < cells.size(); ++k)
        PutCell(cells[k], numbers[k], kinds[k], structure);
    RowFolder& folder = FolderOf(slash == std::string_view::npos ? "" : path.substr(0, slash));
    return ResultRow::Compact(folder, cells.size(), encoded_);
}

void CompactRows::PutCell(std::string_view text, CellNumber number, ColumnKind kind,
                          bool structure) {
    using row_cells::Form;
    bool kept = false;
    switch (kind) {
    case ColumnKind::Size:
        kept = PutNumber(text, number, structure ? Form::StructureSize : Form::PlainSize);
        break;
    case ColumnKind::Modified:
    case ColumnKind::Created:
    case ColumnKind::LastAccess:
        kept = PutNumber(text, number, structure ? Form::WeekdayDate : Form::Date);
        break;
    case ColumnKind::FileCount:
    case ColumnKind::SubfolderCount:
        kept = PutNumber(text, number, Form::Count);
        break;
    case ColumnKind::Attributes:
        if (const auto bits = row_cells::AttributeBits(text); bits && !number && !text.empty()) {
            row_cells::PutValue(encoded_, Form::Attributes, *bits);
            kept = true;
        }
        break;
    case ColumnKind::Type:
        if (!number && !text.empty()) {
            row_cells::PutValue(encoded_, Form::Type, format_->TypeIndex(text));
            kept = true;
        }
        break;
    default:
        break;
    }
    if (!kept)
        row_cells::PutText(encoded_, text, number);
}

// Keeps the number alone where it makes the very text the cell has.
bool CompactRows::PutNumber(std::string_view text, CellNumber number, row_cells::Form form) {
    if (!number)
        return false;
    const std::size_t mark = encoded_.size();
    if (!row_cells::PutNumber(encoded_, form, *number))
        return false;
    const char* p = encoded_.data() + mark;
    made_.clear();
    row_cells::AppendMade(made_, row_cells::Read(p), *format_);
    if (made_ == text)
        return true;
    encoded_.resize(mark);
    return false;
}

RowFolder& CompactRows::FolderOf(std::string_view path) {
    for (std::size_t i = 0; i < recent_.size(); ++i) {
        const FolderRef& f = recent_[(nextRecent_ + recent_.size() - 1 - i) % recent_.size()];
        if (f.get() && f->Path() == path)
            return *f.get();
    }
    FolderRef& slot = recent_[nextRecent_];
    nextRecent_ = (nextRecent_ + 1) % recent_.size();
    slot = FolderRef(RowFolder::Make(format_, path));
    return *slot.get();
}

std::optional<ResultRow> BuildRow(const ItemRecord& item, const std::vector<ColumnSpec>& columns,
                                  const SearchOptions& options, const std::string& unitWord,
                                  SeenFolders& seen) {
    RowCells cells;
    if (!cells.Make(item, columns, options, unitWord, seen))
        return std::nullopt;
    seen.rows.Use(options.sizeUnit, unitWord);
    return seen.rows.Make(cells.Cells(), cells.Numbers(), cells.Kinds(),
                          options.structureMode != ModeNone);
}

void BuildRows(std::span<const ItemRecord> items, const std::vector<ColumnSpec>& columns,
               const SearchOptions& options, const std::string& unitWord, SeenFolders& seen,
               std::vector<ResultRow>& rows) {
    RowCells cells;
    seen.rows.Use(options.sizeUnit, unitWord);
    const bool structure = options.structureMode != ModeNone;
    for (const ItemRecord& item : items)
        if (cells.Make(item, columns, options, unitWord, seen))
            rows.push_back(
                seen.rows.Make(cells.Cells(), cells.Numbers(), cells.Kinds(), structure));
}
