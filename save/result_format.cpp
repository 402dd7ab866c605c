#include "save/result_format.h"

#include "platform/locale.h"
#include "resources/strings.h"
#include "results/columns.h"
#include "results/sorting.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Collects the fields of one line; CSV fields are quoted with inner quotes doubled so the
// file stays valid CSV. Blanks may be left out of a field as it is written.
class LineBuilder {
  public:
    LineBuilder(std::string& out, ResultLayout layout)
        : out_(out), csv_(layout == ResultLayout::Csv) {}

    void Field(std::string_view text, bool withoutBlanks = false) {
        if (!first_)
            out_.append(csv_ ? "\";\"" : ";");
        else if (csv_)
            out_.push_back('"');
        first_ = false;
        if (!csv_ && !withoutBlanks) {
            out_.append(text);
            return;
        }
        for (const char c : text) {
            if (c == ' ' && withoutBlanks)
                continue;
            if (c == '"' && csv_)
                out_.push_back('"');
            out_.push_back(c);
        }
    }
    void End() {
        if (csv_)
            out_.append(first_ ? "\"\"" : "\"");
        out_.append(kLineEnd);
    }

  private:
    std::string& out_;
    bool csv_;
    bool first_ = true;
};

// "   1.205,632 KB" becomes the fields "1.205,632" and "KB"; a cell without its unit word
// stays one field. blankUnit is the unit word with a blank in front.
void SizeFields(LineBuilder& line, std::string_view cell, std::string_view blankUnit) {
    const std::size_t at = cell.find(blankUnit);
    if (at == std::string_view::npos) {
        line.Field(cell);
        return;
    }
    line.Field(cell.substr(0, at), true);
    line.Field(cell.substr(at + 1), true);
}

} // namespace

ResultLayout LayoutOfFileName(std::string_view fileName) {
    const std::size_t slash = fileName.rfind('/');
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return ResultLayout::PlainText;
    return UpperCase(fileName.substr(dot)) == ".CSV" ? ResultLayout::Csv : ResultLayout::PlainText;
}

std::string DateLine(const LocalTime& now, int shortDateOrder, std::string_view timeSeparator) {
    const char* date = shortDateOrder == 0   ? "%m.%d.%Y"
                       : shortDateOrder == 2 ? "%Y.%m.%d"
                                             : "%d.%m.%Y";
    return FormatLocalTime(now, date) + ", " + FormatLocalTime(now, "%H") +
           std::string(timeSeparator) + FormatLocalTime(now, "%M");
}

void AppendHeaderLine(std::string& out, const std::vector<ColumnSpec>& columns,
                      ResultLayout layout) {
    LineBuilder line(out, layout);
    for (std::size_t k = 0; k < columns.size(); ++k) {
        if (k > 0 && IsSizeCaption(columns[k].caption)) {
            line.Field(MessageText(193));
            line.Field(MessageText(197));
        } else {
            line.Field(columns[k].caption);
        }
    }
    line.End();
}

RowLineFormat::RowLineFormat(const std::vector<ColumnSpec>& columns, ResultLayout layout)
    : layout_(layout) {
    for (std::size_t k = 0; k < columns.size(); ++k)
        blankUnits_.push_back(k > 0 && IsSizeCaption(columns[k].caption)
                                  ? " " + std::string(UnitWordOfSizeCaption(columns[k].caption))
                                  : std::string());
}

void RowLineFormat::Append(std::string& out, const ResultRow& row) const {
    std::array<std::string_view, static_cast<std::size_t>(ColumnKind::Unknown) + 1> cells;
    Append(out, std::span(cells.data(), row.CellTexts(texts_, cells)));
}

void RowLineFormat::Append(std::string& out, std::span<const std::string_view> cells) const {
    LineBuilder line(out, layout_);
    for (std::size_t k = 0; k < cells.size(); ++k) {
        if (k < blankUnits_.size() && !blankUnits_[k].empty())
            SizeFields(line, cells[k], blankUnits_[k]);
        else
            line.Field(cells[k]);
    }
    line.End();
}

void AppendRowLine(std::string& out, const ResultRow& row, const std::vector<ColumnSpec>& columns,
                   ResultLayout layout) {
    RowLineFormat(columns, layout).Append(out, row);
}
