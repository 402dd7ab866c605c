#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "results/result_table.h"

// What the result list hands to other programs: the clipboard and drags. Rows are given by
// their index in the table and come out in the table's order.

// A line of captions, then one line per row, cells separated by tabs. A cell holding a tab, a
// line break or a leading quote is quoted, its quotes doubled, so a spreadsheet keeps it whole.
std::string RowsAsTabSeparated(const ResultTable& table, const std::vector<std::size_t>& rows);
// The rows' paths, one per line.
std::string RowPaths(const ResultTable& table, const std::vector<std::size_t>& rows);
// A text/uri-list of the rows' paths (file URLs, lines ending CR LF).
std::string RowUriList(const ResultTable& table, const std::vector<std::size_t>& rows);
// The file URL of a full path; bytes other than unreserved ones and '/' are percent-encoded,
// so a name that is not valid UTF-8 keeps its bytes.
std::string FileUrl(std::string_view path);
