#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "app/message_boxes.h"
#include "save/report_texts.h"
#include "save/result_writer.h"

// A sheet holds at most this many rows below its header; more go on to further sheets.
inline constexpr std::size_t kSheetRows = 1048575;

struct SpreadsheetOptions {
    std::string sheetName; // made valid by the writer
    std::size_t sheetRows = kSheetRows;
};

// Writes the list as displayed as an .xlsx workbook: the captions as a bold, frozen header
// with an autofilter, sizes, times and counts as numbers from the rows' numbers, every other
// cell as text. Checks, reports and the replacing of the target as for the result file; a
// cancel leaves the target as it was.
WriteOutcome WriteSpreadsheet(const ResultTable& table, const std::string& fileName,
                              const SpreadsheetOptions& options, MessageBoxes& boxes,
                              const ExportProgress& progress = {},
                              const WriterPlatform& platform = {});

// A sheet name after the search target: its last folder name (all drives: "Alle Laufwerke"),
// without the characters a sheet name may not hold, at most 31 characters.
std::string SheetNameOf(const std::string& searchTarget);

// A date and time number format in the spreadsheet's notation for strftime formats.
std::string SpreadsheetDateTimeFormat(std::string_view shortDate, std::string_view longTime);

// Text a spreadsheet can hold: what is not UTF-8 becomes U+FFFD as the list shows it, and a
// text is cut after the 32,767 characters a cell takes.
std::string SpreadsheetText(std::string_view text);
// The text of a cell: "_x0041_" in a name would be read as "A", so its "_" is written as
// "_x005F_", which reads back as "_".
std::string SpreadsheetCellText(std::string_view text);
