#include "results/row_format.h"

#include <cstring>
#include <new>

RowFormat::RowFormat(int sizeUnit, std::string unitWord, const LocaleFormats& formats)
    : sizeUnit_(sizeUnit), unitWord_(std::move(unitWord)), sizes_(sizeUnit, formats),
      dates_(false, formats), weekdayDates_(true, formats) {}

void RowFormat::AppendSize(std::string& out, std::int64_t bytes, bool structure) const {
    std::string number; // short enough to stay inside the string
    if (structure)
        sizes_.AssignStructure(number, bytes);
    else
        sizes_.AssignPlain(number, bytes);
    out.append(number).append(1, ' ').append(unitWord_);
}

void RowFormat::AppendDate(std::string& out, std::int64_t seconds, bool withWeekday) const {
    const std::lock_guard lock(mutex_);
    (withWeekday ? weekdayDates_ : dates_).Assign(date_, static_cast<std::time_t>(seconds));
    out += date_;
}

std::uint32_t RowFormat::TypeIndex(std::string_view typeName) {
    const std::lock_guard lock(mutex_);
    if (const auto it = typeIndex_.find(typeName); it != typeIndex_.end())
        return it->second;
    const auto index = static_cast<std::uint32_t>(types_.size());
    typeIndex_.emplace(types_.emplace_back(typeName), index);
    return index;
}

std::string_view RowFormat::TypeName(std::uint32_t index) const {
    const std::lock_guard lock(mutex_);
    return index < types_.size() ? std::string_view(types_[index]) : std::string_view();
}

RowFolder* RowFolder::Make(std::shared_ptr<RowFormat> format, std::string_view path) {
    void* memory = ::operator new(sizeof(RowFolder) + path.size());
    auto* folder = new (memory) RowFolder(std::move(format), path.size());
    if (!path.empty())
        std::memcpy(static_cast<char*>(memory) + sizeof(RowFolder), path.data(), path.size());
    return folder;
}

void RowFolder::Release() const {
    if (refs_.fetch_sub(1, std::memory_order_acq_rel) != 1)
        return;
    auto* self = const_cast<RowFolder*>(this);
    self->~RowFolder();
    ::operator delete(self);
}

namespace row_cells {
namespace {

constexpr unsigned kFormBits = 4;
constexpr std::string_view kAttributeLetters = "RSHADVC";

void PutVarint(std::string& out, std::uint64_t v) {
    while (v >= 0x80) {
        out.push_back(static_cast<char>((v & 0x7F) | 0x80));
        v >>= 7;
    }
    out.push_back(static_cast<char>(v));
}

std::uint64_t GetVarint(const char*& p) {
    std::uint64_t v = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*p++);
        v |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
        if (byte < 0x80)
            return v;
    }
}

void PutHeader(std::string& out, Form form, std::uint64_t value) {
    PutVarint(out, (value << kFormBits) | static_cast<unsigned>(form));
}

std::uint64_t ZigZag(std::int64_t n) {
    return (static_cast<std::uint64_t>(n) << 1) ^ static_cast<std::uint64_t>(n >> 63);
}

std::int64_t FromZigZag(std::uint64_t z) {
    return static_cast<std::int64_t>((z >> 1) ^ (~(z & 1) + 1));
}

} // namespace

void PutText(std::string& out, std::string_view text, std::optional<std::int64_t> number) {
    PutHeader(out, number ? Form::NumberedText : Form::Text, text.size());
    if (number)
        PutVarint(out, ZigZag(*number));
    out.append(text);
}

void PutInFolder(std::string& out, std::string_view name) {
    PutHeader(out, Form::InFolder, name.size());
    out.append(name);
}

void PutValue(std::string& out, Form form, std::uint64_t value) {
    PutHeader(out, form, value);
}

bool PutNumber(std::string& out, Form form, std::int64_t number) {
    const std::uint64_t value = ZigZag(number);
    if (value >> (64 - kFormBits) != 0)
        return false; // no room for the form: the caller keeps the text
    PutHeader(out, form, value);
    return true;
}

std::optional<std::uint64_t> AttributeBits(std::string_view text) {
    std::uint64_t bits = 0;
    std::size_t next = 0;
    for (const char c : text) {
        const std::size_t at = kAttributeLetters.find(c, next);
        if (at == std::string_view::npos)
            return std::nullopt;
        bits |= std::uint64_t{1} << at;
        next = at + 1;
    }
    return bits;
}

Cell Read(const char*& p) {
    const std::uint64_t header = GetVarint(p);
    Cell cell;
    cell.form = static_cast<Form>(header & ((1u << kFormBits) - 1));
    cell.value = header >> kFormBits;
    switch (cell.form) {
    case Form::NumberedText:
        cell.number = FromZigZag(GetVarint(p));
        [[fallthrough]];
    case Form::Text:
    case Form::InFolder:
        cell.text = std::string_view(p, cell.value);
        p += cell.value;
        break;
    default:
        break;
    }
    return cell;
}

std::optional<std::int64_t> NumberOf(const Cell& cell) {
    switch (cell.form) {
    case Form::NumberedText:
        return cell.number;
    case Form::PlainSize:
    case Form::StructureSize:
    case Form::Date:
    case Form::WeekdayDate:
    case Form::Count:
        return FromZigZag(cell.value);
    default:
        return std::nullopt;
    }
}

std::optional<std::string_view> StoredText(const Cell& cell, const RowFolder* folder) {
    switch (cell.form) {
    case Form::Text:
    case Form::NumberedText:
        return cell.text;
    case Form::Type:
        return folder ? folder->Format().TypeName(static_cast<std::uint32_t>(cell.value))
                      : std::string_view();
    default:
        return std::nullopt;
    }
}

void AppendText(std::string& out, const Cell& cell, const RowFolder* folder) {
    if (const auto stored = StoredText(cell, folder))
        out += *stored;
    else if (cell.form == Form::InFolder)
        out.append(folder->Path()).append(1, '/').append(cell.text);
    else if (folder) // a row kept as texts holds no other form
        AppendMade(out, cell, folder->Format());
}

void AppendMade(std::string& out, const Cell& cell, const RowFormat& format) {
    const std::int64_t number = FromZigZag(cell.value);
    switch (cell.form) {
    case Form::PlainSize:
    case Form::StructureSize:
        format.AppendSize(out, number, cell.form == Form::StructureSize);
        return;
    case Form::Date:
    case Form::WeekdayDate:
        format.AppendDate(out, number, cell.form == Form::WeekdayDate);
        return;
    case Form::Count:
        out += std::to_string(number);
        return;
    case Form::Attributes:
        for (std::size_t i = 0; i < kAttributeLetters.size(); ++i)
            if (cell.value & (std::uint64_t{1} << i))
                out.push_back(kAttributeLetters[i]);
        return;
    case Form::Type:
        out += format.TypeName(static_cast<std::uint32_t>(cell.value));
        return;
    default:
        return;
    }
}

} // namespace row_cells
