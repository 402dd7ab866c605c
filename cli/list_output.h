#pragma once
#include <functional>
#include <string>

#include "app/message_boxes.h"
#include "cli/list_options.h"
#include "results/result_table.h"
#include "save/report_texts.h"
#include "save/result_writer.h"

// Writes a PDF report. Painting needs Qt Gui, which the core does not link, so pathquill-list's
// main hands it in.
using PdfWriter =
    std::function<WriteOutcome(const ResultTable&, const ReportTexts&, const std::string& fileName,
                               MessageBoxes&, const ExportProgress&)>;

// Writes the rows to the -o file in the format its extension asks for (.pdf, .xlsx, the result
// file otherwise). progressFd >= 0 shows how far the writing is.
WriteOutcome WriteListFile(const ResultTable& table, const ListArguments& arguments,
                           const std::string& fileName, const std::string& workingDir,
                           std::time_t now, MessageBoxes& boxes, const PdfWriter& writePdf,
                           int progressFd);
