#include "results/column_sort_state.h"

#include "resources/strings.h"
#include "results/columns.h"
#include "search/search_request.h"

namespace {

// Columns past the eighth are never sorted.
constexpr std::size_t kSortableColumns = 8;

SortKind KindOf(ColumnSortState::Memory m) {
    switch (m) {
    case ColumnSortState::Name:
        return SortKind::Name;
    case ColumnSortState::Size:
        return SortKind::Number;
    case ColumnSortState::Modified:
    case ColumnSortState::Created:
    case ColumnSortState::LastAccess:
        return SortKind::Date;
    default:
        return SortKind::Text;
    }
}

} // namespace

std::optional<ColumnSortState::Memory> ColumnSortState::MemoryOf(std::size_t column,
                                                                 std::string_view caption) {
    if (column == 0) {
        if (caption == MessageText(60) || caption == MessageText(93))
            return Name;
        return std::nullopt;
    }
    if (IsSizeCaption(caption))
        return Size;
    const std::pair<int, Memory> known[] = {{142, Modified},   {133, Created},   {134, LastAccess},
                                            {135, Attributes}, {136, ShortName}, {150, Type}};
    for (const auto& [message, memory] : known)
        if (caption == MessageText(message))
            return memory;
    return std::nullopt;
}

HeaderClickOutcome ColumnSortState::Click(std::size_t column,
                                          const std::vector<std::string>& captions,
                                          bool structureMode) {
    HeaderClickOutcome out;
    if (structureMode) {
        out.ignored = true;
        return out;
    }
    const std::string_view caption =
        column < captions.size() ? std::string_view(captions[column]) : std::string_view();
    // Column 0 is the name column by its position, whatever its caption.
    const std::optional<Memory> memory = column == 0 ? Name : MemoryOf(column, caption);
    if (memory && column < kSortableColumns) {
        out.sort = SortOrder{column, KindOf(*memory), directions_[*memory]};
        directions_[*memory] = -directions_[*memory];
    }
    // The arrow shows the sort just done; a caption outside the memories always shows "up".
    const std::optional<Memory> shown = MemoryOf(column, caption);
    for (std::size_t k = 0; k < captions.size(); ++k) {
        if (k != column)
            out.glyphs.push_back(HeaderGlyph::NoArrow);
        else
            out.glyphs.push_back(shown && directions_[*shown] == 1 ? HeaderGlyph::ArrowDown
                                                                   : HeaderGlyph::ArrowUp);
    }
    return out;
}

HeaderClickOutcome ApplyHeaderClick(ColumnSortState& state, ResultTable& table, std::size_t column,
                                    int structureMode, std::string_view unitWord) {
    std::vector<std::string> captions;
    captions.reserve(table.columns.size());
    for (const ColumnSpec& c : table.columns)
        captions.push_back(c.caption);
    HeaderClickOutcome out = state.Click(column, captions, structureMode != ModeNone);
    if (out.sort)
        SortRows(table, *out.sort, unitWord);
    return out;
}
