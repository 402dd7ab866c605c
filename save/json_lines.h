#pragma once
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "results/result_table.h"

// JSON Lines for scripts: one object per row, keys by shown column, sizes in bytes and times
// as ISO 8601 whatever the list shows. No date line and no header.

// "2026-12-09T14:58:06+01:00": the local time of t with the offset in force at t.
std::string IsoLocalTime(std::time_t t);

using CellNumbers = std::span<const CellNumber>;

// The object of one row of the given columns, with its line end.
class JsonLineFormat {
  public:
    explicit JsonLineFormat(const std::vector<ColumnSpec>& columns);
    void Append(std::string& out, std::span<const std::string_view> cells,
                CellNumbers numbers) const;
    void Append(std::string& out, const ResultRow& row) const;

  private:
    std::vector<ColumnKind> kinds_;
    mutable std::string texts_; // one row's cells, made for its line
};

// The lines as rows come; bytes go to write in pieces of about a megabyte.
class JsonLines {
  public:
    using Write = std::function<bool(std::string_view)>;
    JsonLines(const std::vector<ColumnSpec>& columns, Write write);
    // False once a write failed; nothing more is written then.
    bool Append(std::span<const std::string_view> cells, CellNumbers numbers);
    bool Append(const ResultRow& row);
    // Writes what is left; false when any write failed.
    bool Finish();

  private:
    bool Written();

    JsonLineFormat format_;
    Write write_;
    std::string buffer_;
    bool ok_ = true;
};

// Every row of the table in its order; false as soon as write fails.
bool WriteJsonLines(const ResultTable& table, const JsonLines::Write& write);
