#include "results/result_table.h"

#include <bit>
#include <cstring>

namespace {
template <typename T> T Read(const char* p) {
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}
} // namespace

ResultRow ResultRow::Of(const std::string_view* cells, std::size_t count,
                        const CellNumber* numbers) {
    std::size_t length = count > 0 ? count - 1 : 0;
    std::uint16_t mask = 0;
    for (std::size_t i = 0; i < count; ++i) {
        length += cells[i].size();
        if (numbers && numbers[i] && i < kMaxNumbers)
            mask |= static_cast<std::uint16_t>(1u << i);
    }
    const std::size_t numberBytes = sizeof(std::int64_t) * std::popcount(mask);
    ResultRow row;
    row.block_ = std::make_unique_for_overwrite<char[]>(kHeader + length + numberBytes);
    char* out = row.block_.get();
    const auto bytes = static_cast<std::uint32_t>(length);
    const auto n = static_cast<std::uint16_t>(count);
    std::memcpy(out, &bytes, sizeof bytes);
    std::memcpy(out + sizeof bytes, &n, sizeof n);
    std::memcpy(out + sizeof bytes + sizeof n, &mask, sizeof mask);
    out += kHeader;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            *out++ = '\0';
        if (!cells[i].empty()) // an empty view may have no data to copy from
            std::memcpy(out, cells[i].data(), cells[i].size());
        out += cells[i].size();
    }
    for (std::size_t i = 0; i < count && i < kMaxNumbers; ++i) {
        if (mask & (1u << i)) {
            const std::int64_t value = *numbers[i];
            std::memcpy(out, &value, sizeof value);
            out += sizeof value;
        }
    }
    return row;
}

ResultRow::ResultRow(const ResultRow& other) {
    if (other.block_) {
        const std::size_t size = other.BlockSize();
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
    std::vector<CellNumber> numbers;
    const std::size_t n = CellCount();
    for (std::size_t i = 0; i < n; ++i) {
        cells.push_back(Cell(i));
        numbers.push_back(Number(i));
    }
    cells.push_back(cell);
    numbers.emplace_back();
    *this = Of(cells.data(), cells.size(), numbers.data());
}

std::uint16_t ResultRow::NumberMask() const {
    return block_
               ? Read<std::uint16_t>(block_.get() + sizeof(std::uint32_t) + sizeof(std::uint16_t))
               : 0;
}

std::size_t ResultRow::BlockSize() const {
    if (!block_)
        return 0;
    return kHeader + Cells().size() + sizeof(std::int64_t) * std::popcount(NumberMask());
}

CellNumber ResultRow::Number(std::size_t index) const {
    const std::uint16_t mask = NumberMask();
    if (index >= kMaxNumbers || !(mask & (1u << index)))
        return std::nullopt;
    const auto before = std::popcount(static_cast<std::uint16_t>(mask & ((1u << index) - 1)));
    const char* numbers = block_.get() + kHeader + Cells().size();
    return Read<std::int64_t>(numbers + sizeof(std::int64_t) * before);
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
