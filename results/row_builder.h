#pragma once
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "results/result_table.h"
#include "search/item_record.h"

// Folder paths that already have a row in an only-folders search (exact comparison).
using SeenFolders = std::unordered_set<std::string>;

// Turns an item record into a row of the given columns; nothing for a folder already listed.
std::optional<ResultRow> BuildRow(const ItemRecord& item, const std::vector<ColumnSpec>& columns,
                                  const SearchOptions& options, const std::string& unitWord,
                                  SeenFolders& seen);

// The rows of a batch of item records, appended in order; both front ends take their rows here.
void BuildRows(const std::vector<ItemRecord>& items, const std::vector<ColumnSpec>& columns,
               const SearchOptions& options, const std::string& unitWord, SeenFolders& seen,
               std::vector<ResultRow>& rows);
