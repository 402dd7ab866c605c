#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/locale.h"
#include "results/result_table.h"

enum class ResultLayout { PlainText, Csv };

// CSV for the extension .csv in any letter case, plain text for every other name.
ResultLayout LayoutOfFileName(std::string_view fileName);

// "dd.mm.yyyy, hh:mm" with the fields in the locale's short-date order (0 month-day-year,
// 1 day-month-year, 2 year-month-day) and the locale's time separator; no line end.
std::string DateLine(const LocalTime& now, int shortDateOrder, std::string_view timeSeparator);

// Lines end with CR LF. A size column gives two fields: the number and its unit word.
void AppendHeaderLine(std::string& out, const std::vector<ColumnSpec>& columns,
                      ResultLayout layout);
void AppendRowLine(std::string& out, const ResultRow& row, const std::vector<ColumnSpec>& columns,
                   ResultLayout layout);

// The row lines of one table, with what each column needs worked out once.
class RowLineFormat {
  public:
    RowLineFormat(const std::vector<ColumnSpec>& columns, ResultLayout layout);
    void Append(std::string& out, const ResultRow& row) const;
    void Append(std::string& out, std::span<const std::string_view> cells) const;

  private:
    ResultLayout layout_;
    std::vector<std::string> blankUnits_; // " KB" for a size column, empty for the others
    mutable std::string texts_;           // one row's cells, made for its line
};
