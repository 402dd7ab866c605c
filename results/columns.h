#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "search/search_request.h"

enum class ColumnKind {
    Path, Size, Type, Modified, Created, LastAccess, FileCount, SubfolderCount, Attributes,
    ShortName, Unknown
};

// How a freshly built column gets its width: fitted to its (still empty) contents with a
// 100-pixel minimum, or to its header text.
enum class ColumnFit { Contents, ContentsMin100, Header };

struct ColumnSpec {
    std::string caption;
    ColumnKind kind = ColumnKind::Unknown;
    bool alignRight = false;
    ColumnFit fit = ColumnFit::Contents;
};

std::string SizeCaption(int sizeUnit); // "Größe (Byte)", "Größe (KB)", "Größe (MB)"
std::string UnitWord(int sizeUnit);    // "Byte", "KB", "MB"
bool IsSizeCaption(std::string_view caption);
// The unit word that belongs to a size caption ("KB" for "Größe (KB)"); "Byte" otherwise.
std::string_view UnitWordOfSizeCaption(std::string_view caption);
// The unit word of the size column of a column set; the given word when it has none.
std::string UnitWordOfColumns(const std::vector<ColumnSpec>& columns, std::string_view fallback);
// Columns are recognised by their captions.
ColumnKind KindOfCaption(std::string_view caption, bool isFirstColumn);

// The column set of a new search; the options say which boxes are checked and enabled.
std::vector<ColumnSpec> BuildColumnSet(const SearchOptions& options);
