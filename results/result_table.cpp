#include "results/result_table.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "results/row_format.h"

namespace {
constexpr std::size_t kMaxCells = 0x7F;

std::size_t CountOf(const char* block) {
    return static_cast<unsigned char>(block[0]) & kMaxCells;
}
} // namespace

ResultRow ResultRow::Of(const std::string_view* cells, std::size_t count,
                        const CellNumber* numbers) {
    count = std::min(count, kMaxCells);
    std::string encoded;
    for (std::size_t i = 0; i < count; ++i)
        row_cells::PutText(encoded, cells[i], numbers ? numbers[i] : std::nullopt);
    ResultRow row;
    row.block_ = std::make_unique_for_overwrite<char[]>(1 + encoded.size());
    row.block_[0] = static_cast<char>(count);
    if (!encoded.empty()) // an empty text has no bytes to copy from
        std::memcpy(row.block_.get() + 1, encoded.data(), encoded.size());
    return row;
}

ResultRow ResultRow::Compact(RowFolder& folder, std::size_t count, std::string_view encoded) {
    const RowFolder* held = &folder;
    ResultRow row;
    row.block_ = std::make_unique_for_overwrite<char[]>(1 + sizeof held + encoded.size());
    row.block_[0] = static_cast<char>(std::min(count, kMaxCells) | kHasFolder);
    std::memcpy(row.block_.get() + 1, &held, sizeof held);
    if (!encoded.empty())
        std::memcpy(row.block_.get() + 1 + sizeof held, encoded.data(), encoded.size());
    folder.Hold();
    return row;
}

ResultRow::ResultRow(const ResultRow& other) {
    if (!other.block_)
        return;
    const std::size_t size = other.BlockSize();
    block_ = std::make_unique_for_overwrite<char[]>(size);
    std::memcpy(block_.get(), other.block_.get(), size);
    if (const RowFolder* folder = Folder())
        folder->Hold();
}

ResultRow& ResultRow::operator=(const ResultRow& other) {
    if (this != &other)
        *this = ResultRow(other);
    return *this;
}

ResultRow& ResultRow::operator=(ResultRow&& other) noexcept {
    if (this != &other) {
        Release();
        block_ = std::move(other.block_);
    }
    return *this;
}

ResultRow::~ResultRow() {
    Release();
}

void ResultRow::Release() {
    if (const RowFolder* folder = Folder())
        folder->Release();
    block_.reset();
}

const RowFolder* ResultRow::Folder() const {
    if (!block_ || !(static_cast<unsigned char>(block_[0]) & kHasFolder))
        return nullptr;
    const RowFolder* folder;
    std::memcpy(&folder, block_.get() + 1, sizeof folder);
    return folder;
}

const char* ResultRow::CellsBegin() const {
    return block_.get() + 1 + (Folder() ? sizeof(RowFolder*) : 0);
}

const char* ResultRow::CellAt(std::size_t index) const {
    const char* p = CellsBegin();
    for (std::size_t i = 0; i < index; ++i)
        row_cells::Read(p);
    return p;
}

std::size_t ResultRow::BlockSize() const {
    if (!block_)
        return 0;
    return static_cast<std::size_t>(CellAt(CellCount()) - block_.get());
}

std::size_t ResultRow::CellCount() const {
    return block_ ? CountOf(block_.get()) : 0;
}

void ResultRow::Append(std::string_view cell) {
    std::vector<std::string> texts;
    std::vector<CellNumber> numbers;
    const std::size_t n = CellCount();
    for (std::size_t i = 0; i < n; ++i) {
        texts.push_back(Cell(i));
        numbers.push_back(Number(i));
    }
    texts.emplace_back(cell);
    numbers.emplace_back();
    const std::vector<std::string_view> cells(texts.begin(), texts.end());
    *this = Of(cells.data(), cells.size(), numbers.data());
}

CellNumber ResultRow::Number(std::size_t index) const {
    if (index >= CellCount())
        return std::nullopt;
    const char* p = CellAt(index);
    return row_cells::NumberOf(row_cells::Read(p));
}

std::string ResultRow::Cell(std::size_t index) const {
    std::string text;
    AppendCell(index, text);
    return text;
}

void ResultRow::AppendCell(std::size_t index, std::string& out) const {
    if (index >= CellCount())
        return;
    const char* p = CellAt(index);
    row_cells::AppendText(out, row_cells::Read(p), Folder());
}

CellSplit ResultRow::SplitCell(std::size_t index, std::string& scratch) const {
    if (index >= CellCount())
        return {};
    const char* p = CellAt(index);
    const row_cells::Cell cell = row_cells::Read(p);
    const RowFolder* folder = Folder();
    if (cell.form == row_cells::Form::InFolder)
        return {folder->Path(), cell.text, true, folder};
    std::string_view text;
    if (const auto stored = row_cells::StoredText(cell, folder)) {
        text = *stored;
    } else {
        scratch.clear();
        row_cells::AppendText(scratch, cell, folder);
        text = scratch;
    }
    const std::size_t slash = text.rfind('/');
    if (slash == std::string_view::npos)
        return {{}, text, false, nullptr};
    return {text.substr(0, slash), text.substr(slash + 1), true, nullptr};
}

std::size_t ResultRow::CellTexts(std::string& buffer, std::span<std::string_view> cells) const {
    const std::size_t count = std::min({CellCount(), cells.size(), kMaxCells});
    std::array<std::size_t, kMaxCells + 1> ends{}; // the buffer may move while it grows
    buffer.clear();
    const char* p = CellsBegin();
    for (std::size_t k = 0; k < count; ++k) {
        row_cells::AppendText(buffer, row_cells::Read(p), Folder());
        ends[k + 1] = buffer.size();
    }
    for (std::size_t k = 0; k < count; ++k)
        cells[k] = std::string_view(buffer).substr(ends[k], ends[k + 1] - ends[k]);
    return count;
}
