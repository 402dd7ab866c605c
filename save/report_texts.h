#pragma once
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>

#include "results/result_table.h"
#include "save/result_writer.h"

// Long exports report how far they are; false from the callback cancels.
using ExportProgress = std::function<bool(std::size_t done, std::size_t total)>;

// What the listed rows are a listing of.
struct ReportSubject {
    std::string searchTarget; // a folder path or kAllDrives
    std::string lookFor;      // the mask of a plain listing
    int structureMode = 0;
};

// The texts around the rows of a printed report.
struct ReportTexts {
    std::string title;    // "Suchen in: /daten – Suchen nach: *.txt"
    std::string dateLine; // as in the result file
    std::string summary;  // "Fundstellen: 3   Summe: 1.234 Byte"
};

ReportTexts MakeReportTexts(const ResultTable& table, const ReportSubject& subject, std::time_t now,
                            const WriterPlatform& platform = {});

// "Seite 2 von 7".
std::string PageFooter(std::size_t page, std::size_t pages);

// The unit index of the size column (0 Byte, 1 KB, 2 MB) and its cell number, if shown.
struct SizeColumn {
    std::size_t column;
    int unit;
};
std::optional<SizeColumn> FindSizeColumn(const std::vector<ColumnSpec>& columns);

// The bytes of all rows' size cells added up.
std::int64_t SizeTotal(const ResultTable& table, std::size_t column);
