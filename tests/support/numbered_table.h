#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "results/columns.h"
#include "results/result_table.h"

// A row's cells with the numbers behind them, as the row builder makes them.
struct NumberedCells {
    std::vector<std::string> cells;
    std::vector<std::optional<std::int64_t>> numbers;
};

inline ResultTable MakeNumberedTable(const std::vector<std::string>& captions,
                                     const std::vector<NumberedCells>& rows) {
    ResultTable table;
    for (std::size_t k = 0; k < captions.size(); ++k) {
        const ColumnKind kind = KindOfCaption(captions[k], k == 0);
        table.columns.push_back({captions[k], kind, kind == ColumnKind::Size});
    }
    for (const NumberedCells& r : rows) {
        const std::vector<std::string_view> cells(r.cells.begin(), r.cells.end());
        std::vector<std::optional<std::int64_t>> numbers = r.numbers;
        numbers.resize(cells.size());
        table.rows.push_back(ResultRow::Of(cells.data(), cells.size(), numbers.data()));
    }
    return table;
}
