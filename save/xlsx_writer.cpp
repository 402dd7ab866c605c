#include "save/xlsx_writer.h"

#include <algorithm>
#include <cctype>
#include <clocale>
#include <locale.h>
#include <memory>
#include <vector>
#include <xlsxwriter.h>

#include "platform/locale.h"
#include "resources/strings.h"
#include "save/export_file.h"
#include "save/report_layout.h"
#include "search/search_request.h"

namespace {

// Excel's limit of characters in a cell.
constexpr std::size_t kCellChars = 32767;
constexpr std::size_t kSheetNameChars = 31;

std::size_t Utf8Length(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t n = lead < 0x80   ? 1
                          : lead < 0xC2 ? 0
                          : lead < 0xE0 ? 2
                          : lead < 0xF0 ? 3
                          : lead < 0xF5 ? 4
                                        : 0;
    if (n == 0 || at + n > text.size())
        return 0;
    for (std::size_t i = 1; i < n; ++i)
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
            return 0;
    const auto second = static_cast<unsigned char>(text[at + 1 < text.size() ? at + 1 : at]);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90))
        return 0; // overlong, surrogate or beyond U+10FFFF
    return n;
}

// The first n characters of UTF-8 text.
std::string FirstChars(std::string_view text, std::size_t n) {
    std::size_t at = 0;
    for (std::size_t chars = 0; at < text.size() && chars < n; ++chars)
        at += std::max<std::size_t>(Utf8Length(text, at), 1);
    return std::string(text.substr(0, at));
}

std::size_t CharCount(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// strftime conversions and what they are in a number format; others are left out.
std::string_view FormatCode(char conversion) {
    switch (conversion) {
    case 'd':
        return "dd";
    case 'e':
        return "d";
    case 'm':
        return "mm";
    case 'Y':
        return "yyyy";
    case 'y':
        return "yy";
    case 'H':
    case 'I':
        return "hh";
    case 'k':
    case 'l':
        return "h";
    case 'M':
        return "mm";
    case 'S':
        return "ss";
    case 'p':
        return "AM/PM";
    case 'T':
        return "hh:mm:ss";
    case 'R':
        return "hh:mm";
    case 'D':
        return "mm/dd/yy";
    case 'F':
        return "yyyy-mm-dd";
    case 'r':
        return "hh:mm:ss AM/PM";
    case 'b':
    case 'h':
        return "mmm";
    case 'B':
        return "mmmm";
    case 'a':
        return "ddd";
    case 'A':
        return "dddd";
    case '%':
        return "\\%";
    default:
        return "";
    }
}

void AppendFormat(std::string& out, std::string_view strftime) {
    for (std::size_t i = 0; i < strftime.size(); ++i) {
        const char c = strftime[i];
        if (c == '%' && i + 1 < strftime.size()) {
            char conversion = strftime[++i];
            if ((conversion == 'E' || conversion == 'O') && i + 1 < strftime.size())
                conversion = strftime[++i];
            out += FormatCode(conversion);
        } else if (std::string_view(" .,:/-").find(c) != std::string_view::npos ||
                   (static_cast<unsigned char>(c) & 0x80)) {
            out += c;
        } else {
            out += '\\'; // letters and the like stand for themselves
            out += c;
        }
    }
}

// The library prints numbers with the locale's decimal separator, which the file format does not
// take ("1207,6" would be read as 1207). Only this thread's numbers change, for as long as the
// object lives; other threads go on formatting by the user's locale.
class CNumbersOnThisThread {
  public:
    CNumbersOnThisThread()
        : c_(newlocale(LC_NUMERIC_MASK, "C", duplocale(LC_GLOBAL_LOCALE))),
          previous_(c_ ? uselocale(c_) : nullptr) {}
    ~CNumbersOnThisThread() {
        if (c_) {
            uselocale(previous_);
            freelocale(c_);
        }
    }
    CNumbersOnThisThread(const CNumbersOnThisThread&) = delete;
    CNumbersOnThisThread& operator=(const CNumbersOnThisThread&) = delete;

  private:
    locale_t c_;
    locale_t previous_;
};

struct WorkbookFree {
    void operator()(lxw_workbook* w) const { lxw_workbook_free(w); }
};

// One workbook being filled, row by row in constant memory.
class Workbook {
  public:
    Workbook(const ResultTable& table, const std::string& path, const SpreadsheetOptions& options,
             const std::string& dateFormat)
        : table_(table), options_(options) {
        lxw_workbook_options o{};
        o.constant_memory = LXW_TRUE;
        book_.reset(workbook_new_opt(path.c_str(), &o));
        if (!book_)
            return;
        header_ = workbook_add_format(book_.get());
        format_set_bold(header_);
        date_ = NumberFormat(dateFormat);
        const char* sizes[] = {"#,##0", "#,##0.000", "#,##0.000000"};
        for (int unit = 0; unit < 3; ++unit)
            size_[unit] = NumberFormat(sizes[unit]);
        if (const auto size = FindSizeColumn(table.columns))
            sizeUnit_ = size->unit;
    }

    bool IsOpen() const { return book_ != nullptr; }

    bool WriteRows(const ExportProgress& progress) {
        const std::size_t rows = table_.rows.size(), perSheet = options_.sheetRows;
        const std::size_t sheets = std::max<std::size_t>(1, (rows + perSheet - 1) / perSheet);
        for (std::size_t s = 0; s < sheets; ++s) {
            if (!StartSheet(s))
                return false;
            const std::size_t first = s * perSheet, end = std::min(rows, first + perSheet);
            for (std::size_t r = first; r < end; ++r) {
                if (r % 4096 == 0 && progress && !progress(r, rows)) {
                    cancelled_ = true;
                    return false;
                }
                const auto line = static_cast<lxw_row_t>(r - first + 1);
                for (std::size_t k = 0; k < table_.columns.size(); ++k)
                    if (!WriteCell(line, k, table_.rows[r]))
                        return false;
            }
            if (!FinishSheet(end - first))
                return false;
        }
        return true;
    }

    bool Cancelled() const { return cancelled_; }
    // Writes the file; the workbook is gone afterwards.
    bool Close() { return workbook_close(book_.release()) == LXW_NO_ERROR; }

  private:
    lxw_format* NumberFormat(const std::string& code) {
        lxw_format* f = workbook_add_format(book_.get());
        format_set_num_format(f, code.c_str());
        return f;
    }

    std::string SheetName(std::size_t index) const {
        const std::string name = options_.sheetName.empty() ? Msg(191) : options_.sheetName;
        if (index == 0)
            return FirstChars(name, kSheetNameChars);
        const std::string suffix = " (" + std::to_string(index + 1) + ")";
        return FirstChars(name, kSheetNameChars - suffix.size()) + suffix;
    }

    bool StartSheet(std::size_t index) {
        sheet_ = workbook_add_worksheet(book_.get(), SheetName(index).c_str());
        if (!sheet_)
            return false;
        widths_.assign(table_.columns.size(), 0);
        for (std::size_t k = 0; k < table_.columns.size(); ++k) {
            const std::string caption = SpreadsheetCellText(table_.columns[k].caption);
            // Room for the filter's button beside the caption.
            widths_[k] = CharCount(caption) + 3;
            if (worksheet_write_string(sheet_, 0, Column(k), caption.c_str(), header_) !=
                LXW_NO_ERROR)
                return false;
        }
        worksheet_freeze_panes(sheet_, 1, 0);
        return true;
    }

    bool FinishSheet(std::size_t rows) {
        const auto lastColumn = Column(table_.columns.size() - 1);
        if (worksheet_autofilter(sheet_, 0, 0, static_cast<lxw_row_t>(rows), lastColumn) !=
            LXW_NO_ERROR)
            return false;
        for (std::size_t k = 0; k < widths_.size(); ++k)
            worksheet_set_column(sheet_, Column(k), Column(k),
                                 double(std::min<std::size_t>(widths_[k] + 1, 255)), nullptr);
        return true;
    }

    static lxw_col_t Column(std::size_t k) { return static_cast<lxw_col_t>(k); }

    bool WriteCell(lxw_row_t line, std::size_t k, const ResultRow& row) {
        const std::string cell = row.Cell(k);
        const std::string_view shown = ReportCellText(cell);
        widths_[k] = std::max(widths_[k], CharCount(shown));
        const std::optional<std::int64_t> number = row.Number(k);
        const lxw_col_t column = Column(k);
        switch (table_.columns[k].kind) {
        case ColumnKind::Size:
            if (!number)
                break;
            if (sizeUnit_ == 0)
                return worksheet_write_number(sheet_, line, column, double(*number), size_[0]) ==
                       LXW_NO_ERROR;
            return worksheet_write_number(sheet_, line, column,
                                          double(*number) / (sizeUnit_ == 1 ? 1024.0 : 1048576.0),
                                          size_[sizeUnit_]) == LXW_NO_ERROR;
        case ColumnKind::Modified:
        case ColumnKind::Created:
        case ColumnKind::LastAccess:
            if (number) {
                const LocalTime t = ToLocalTime(static_cast<std::time_t>(*number));
                if (t.year < 1900 || t.year > 9999)
                    break; // before or after what a spreadsheet counts in days
                lxw_datetime when{t.year, t.month, t.day, t.hour, t.minute, double(t.second)};
                return worksheet_write_datetime(sheet_, line, column, &when, date_) == LXW_NO_ERROR;
            }
            break;
        case ColumnKind::FileCount:
        case ColumnKind::SubfolderCount:
            if (number)
                return worksheet_write_number(sheet_, line, column, double(*number), nullptr) ==
                       LXW_NO_ERROR;
            break;
        default:
            break;
        }
        if (shown.empty())
            return true;
        const std::string text = SpreadsheetCellText(shown);
        return worksheet_write_string(sheet_, line, column, text.c_str(), nullptr) == LXW_NO_ERROR;
    }

    const ResultTable& table_;
    const SpreadsheetOptions& options_;
    std::unique_ptr<lxw_workbook, WorkbookFree> book_;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format *header_ = nullptr, *date_ = nullptr;
    lxw_format* size_[3] = {};
    int sizeUnit_ = 0;
    std::vector<std::size_t> widths_;
    bool cancelled_ = false;
};

} // namespace

std::string SpreadsheetText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t chars = 0;
    for (std::size_t at = 0; at < text.size() && chars < kCellChars; ++chars) {
        const std::size_t n = Utf8Length(text, at);
        if (n == 0) {
            out += "\uFFFD";
            ++at;
        } else {
            out.append(text, at, n);
            at += n;
        }
    }
    return out;
}

std::string SpreadsheetCellText(std::string_view text) {
    std::string out = SpreadsheetText(text);
    const auto isHex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    for (std::size_t at = out.find("_x"); at != std::string::npos; at = out.find("_x", at + 1))
        if (at + 7 <= out.size() && out[at + 6] == '_' &&
            std::all_of(out.begin() + at + 2, out.begin() + at + 6, isHex)) {
            out.insert(at, "_x005F");
            at += 6;
        }
    return out;
}

std::string SpreadsheetDateTimeFormat(std::string_view shortDate, std::string_view longTime) {
    std::string out;
    AppendFormat(out, shortDate);
    out += ' ';
    AppendFormat(out, longTime);
    return out;
}

std::string SheetNameOf(const std::string& searchTarget) {
    std::string name = searchTarget == kAllDrives ? Msg(182) : searchTarget;
    while (name.size() > 1 && name.back() == '/')
        name.pop_back();
    if (const std::size_t slash = name.find_last_of('/');
        slash != std::string::npos && name.size() > 1)
        name.erase(0, slash + 1);
    name = SpreadsheetText(name);
    for (char& c : name)
        if (std::string_view("[]:*?/\\").find(c) != std::string_view::npos)
            c = '_';
    // A name may neither begin nor end with an apostrophe.
    if (!name.empty() && name.front() == '\'')
        name.front() = '_';
    if (!name.empty() && name.back() == '\'')
        name.back() = '_';
    return FirstChars(name, kSheetNameChars);
}

WriteOutcome WriteSpreadsheet(const ResultTable& table, const std::string& fileName,
                              const SpreadsheetOptions& options, MessageBoxes& boxes,
                              const ExportProgress& progress, const WriterPlatform& platform) {
    if (auto refused = RefusedTarget(fileName, boxes, platform))
        return *refused;
    ScratchFile scratch;
    if (!scratch.IsMade() || table.columns.empty())
        return WrittenOutcome(false, fileName, boxes);
    // Read before the numbers change: the locale's formats are taken once.
    const LocaleFormats& loc = CurrentLocale();
    const std::string dateFormat =
        SpreadsheetDateTimeFormat(loc.shortDateFormat, loc.longTimeFormat);
    const CNumbersOnThisThread numbers;
    Workbook book(table, scratch.Path(), options, dateFormat);
    if (!book.IsOpen())
        return WrittenOutcome(false, fileName, boxes);
    if (!book.WriteRows(progress))
        return book.Cancelled() ? CancelledExport() : WrittenOutcome(false, fileName, boxes);
    if (!book.Close())
        return WrittenOutcome(false, fileName, boxes);
    return PublishExport(scratch, fileName, boxes);
}
