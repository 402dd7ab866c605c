#include "results/result_table.h"

#include <cstring>

void ResultRow::Append(std::string_view cell) {
    if (count_ > 0) cells_.push_back('\0');
    cells_.append(cell);
    ++count_;
}

std::string_view ResultRow::Cell(std::size_t index) const {
    if (index >= count_) return {};
    std::size_t start = 0;
    for (std::size_t i = 0; i < index; ++i) start = cells_.find('\0', start) + 1;
    const std::size_t end = cells_.find('\0', start);
    return std::string_view(cells_).substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::size_t ResultRow::CellCount() const { return count_; }
