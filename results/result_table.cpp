#include "results/result_table.h"

#include <cstring>

namespace {
template <typename T> T Read(const char* p) {
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}
} // namespace

ResultRow ResultRow::Of(const std::string_view* cells, std::size_t count) {
    std::size_t length = count > 0 ? count - 1 : 0;
    for (std::size_t i = 0; i < count; ++i)
        length += cells[i].size();
    ResultRow row;
    row.block_ = std::make_unique_for_overwrite<char[]>(kHeader + length);
    const auto bytes = static_cast<std::uint32_t>(length);
    const auto n = static_cast<std::uint16_t>(count);
    std::memcpy(row.block_.get(), &bytes, sizeof bytes);
    std::memcpy(row.block_.get() + sizeof bytes, &n, sizeof n);
    char* out = row.block_.get() + kHeader;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            *out++ = '\0';
        std::memcpy(out, cells[i].data(), cells[i].size());
        out += cells[i].size();
    }
    return row;
}

ResultRow::ResultRow(const ResultRow& other) {
    if (other.block_) {
        const std::size_t size = kHeader + other.Cells().size();
        block_ = std::make_unique_for_overwrite<char[]>(size);
        std::memcpy(block_.get(), other.block_.get(), size);
    }
}

ResultRow& ResultRow::operator=(const ResultRow& other) {
    if (this != &other)
        *this = ResultRow(other);
    return *this;
}

void ResultRow::Append(std::string_view cell) {
    std::vector<std::string_view> cells;
    const std::size_t n = CellCount();
    for (std::size_t i = 0; i < n; ++i)
        cells.push_back(Cell(i));
    cells.push_back(cell);
    *this = Of(cells.data(), cells.size());
}

std::string_view ResultRow::Cells() const {
    if (!block_)
        return {};
    return {block_.get() + kHeader, Read<std::uint32_t>(block_.get())};
}

std::size_t ResultRow::CellCount() const {
    return block_ ? Read<std::uint16_t>(block_.get() + sizeof(std::uint32_t)) : 0;
}

std::string_view ResultRow::Cell(std::size_t index) const {
    if (index >= CellCount())
        return {};
    std::string_view rest = Cells();
    for (std::size_t i = 0; i < index; ++i)
        rest.remove_prefix(rest.find('\0') + 1);
    return rest.substr(0, rest.find('\0'));
}
