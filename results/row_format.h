#pragma once
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "search/date_texts.h"
#include "search/size_texts.h"

// How the compact rows of one search turn their numbers back into texts: its size unit, its
// date texts and the type names met. Every text is made as the search made it; a row keeps the
// text itself wherever the two could differ.
class RowFormat {
  public:
    RowFormat(int sizeUnit, std::string unitWord, const LocaleFormats& formats = CurrentLocale());
    RowFormat(const RowFormat&) = delete;
    RowFormat& operator=(const RowFormat&) = delete;

    int SizeUnit() const { return sizeUnit_; }
    const std::string& UnitWordText() const { return unitWord_; }

    // The number, a blank and the unit word.
    void AppendSize(std::string& out, std::int64_t bytes, bool structure) const;
    void AppendDate(std::string& out, std::int64_t seconds, bool withWeekday) const;
    // Type names are kept once each; a name's text stays in place as long as the format.
    std::uint32_t TypeIndex(std::string_view typeName);
    std::string_view TypeName(std::uint32_t index) const;

  private:
    int sizeUnit_;
    std::string unitWord_;
    SizeTexts sizes_;
    // The date texts learn days as they go, and cells are read from more than one thread.
    mutable std::mutex mutex_;
    mutable DateTexts dates_, weekdayDates_;
    mutable std::string date_;
    std::deque<std::string> types_;
    std::unordered_map<std::string_view, std::uint32_t> typeIndex_;
};

// A folder whose path the rows found in it share, counted by the rows that point to it.
class RowFolder {
  public:
    static RowFolder* Make(std::shared_ptr<RowFormat> format, std::string_view path);
    void Hold() const { refs_.fetch_add(1, std::memory_order_relaxed); }
    void Release() const;

    std::string_view Path() const { return {reinterpret_cast<const char*>(this + 1), length_}; }
    const RowFormat& Format() const { return *format_; }
    RowFormat& Format() { return *format_; }

  private:
    RowFolder(std::shared_ptr<RowFormat> format, std::size_t length)
        : format_(std::move(format)), length_(static_cast<std::uint32_t>(length)) {}
    ~RowFolder() = default;

    std::shared_ptr<RowFormat> format_;
    mutable std::atomic<std::uint32_t> refs_{1};
    std::uint32_t length_;
    // the path's bytes follow
};

// Holds one reference to a folder.
class FolderRef {
  public:
    FolderRef() = default;
    explicit FolderRef(RowFolder* adopted) : folder_(adopted) {}
    FolderRef(const FolderRef& o) : folder_(o.folder_) {
        if (folder_)
            folder_->Hold();
    }
    FolderRef& operator=(FolderRef o) noexcept {
        std::swap(folder_, o.folder_);
        return *this;
    }
    ~FolderRef() {
        if (folder_)
            folder_->Release();
    }
    RowFolder* get() const { return folder_; }
    RowFolder* operator->() const { return folder_; }

  private:
    RowFolder* folder_ = nullptr;
};

// One cell of a row's block: a header (a variable-length number holding the form in its low
// bits and a value above them), then what the form needs. A text kept as it stands is its
// length and its bytes; every other form is made from the value alone.
namespace row_cells {

enum class Form : unsigned {
    Text,          // value: length; the bytes follow
    NumberedText,  // value: length; the number follows, then the bytes
    InFolder,      // value: length of the name; the bytes follow; text: folder '/' name
    PlainSize,     // value: bytes
    StructureSize, // value: bytes
    Date,          // value: seconds since the epoch
    WeekdayDate,   // value: seconds since the epoch
    Count,         // value: the count
    Attributes,    // value: the letters present, as bits
    Type,          // value: index of the type name
};

struct Cell {
    Form form = Form::Text;
    std::uint64_t value = 0;
    std::int64_t number = 0; // the number of NumberedText
    std::string_view text;   // the bytes of Text, NumberedText and InFolder
};

void PutText(std::string& out, std::string_view text, std::optional<std::int64_t> number);
void PutInFolder(std::string& out, std::string_view name);
void PutValue(std::string& out, Form form, std::uint64_t value);
// False, writing nothing, for a number too large to share its header with the form.
bool PutNumber(std::string& out, Form form, std::int64_t number);
// The attribute letters as bits; none when the text is not letters in their usual order.
std::optional<std::uint64_t> AttributeBits(std::string_view text);

// Reads the cell at p and moves p past it.
Cell Read(const char*& p);
std::optional<std::int64_t> NumberOf(const Cell& cell);
// The text of a cell; folder is the row's folder, null for a row kept as texts.
void AppendText(std::string& out, const Cell& cell, const RowFolder* folder);
// The text of a cell made from its value (sizes, dates, counts, attributes, type names).
void AppendMade(std::string& out, const Cell& cell, const RowFormat& format);
// The text where the row holds it as it stands (not for InFolder): a view into the row or the
// format; none where it has to be made.
std::optional<std::string_view> StoredText(const Cell& cell, const RowFolder* folder);

} // namespace row_cells
