#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/result_table.h"
#include "results/sorting.h"

enum class HeaderGlyph { NoArrow, ArrowUp, ArrowDown };

struct HeaderClickOutcome {
    bool ignored = false;            // structure modes: no sort, glyphs unchanged
    std::optional<SortOrder> sort;   // empty when the column is not sortable
    std::vector<HeaderGlyph> glyphs; // one per column
};

// The direction memories of the header clicks, one per kind of column. Each starts at -1
// (the first sort of a column is descending) and flips with every sort that uses it.
class ColumnSortState {
  public:
    enum Memory { Name, Size, Modified, Created, LastAccess, Attributes, ShortName, Type, Count };

    // Decides what a click on a column does and flips the memory it used.
    HeaderClickOutcome Click(std::size_t column, const std::vector<std::string>& captions,
                             bool structureMode);
    int Direction(Memory m) const { return directions_[m]; }

  private:
    static std::optional<Memory> MemoryOf(std::size_t column, std::string_view caption);
    std::array<int, Count> directions_{-1, -1, -1, -1, -1, -1, -1, -1};
};

// The whole header click: decides, sorts the rows in place and gives the glyphs to show.
// unitWord is the current size unit's word.
HeaderClickOutcome ApplyHeaderClick(ColumnSortState& state, ResultTable& table, std::size_t column,
                                    int structureMode, std::string_view unitWord);
