#include "cli/list_output.h"

#include <memory>

#include "cli/progress_line.h"
#include "platform/paths.h"
#include "resources/strings.h"
#include "save/export_file.h"
#include "save/xlsx_writer.h"
#include "search/search_control_logic.h"
#include "search/search_request.h"

namespace {

std::string SearchTargetOf(const ListArguments& a, const std::string& workingDir) {
    if (a.allDrives)
        return std::string(kAllDrives);
    return paths::WithoutTrailingSeparator(
        paths::Absolute(a.folder, workingDir.empty() ? paths::CurrentFolder() : workingDir));
}

} // namespace

WriteOutcome WriteListFile(const ResultTable& table, const ListArguments& a,
                           const std::string& fileName, const std::string& workingDir,
                           std::time_t now, MessageBoxes& boxes, const PdfWriter& writePdf,
                           int progressFd) {
    const ExportKind kind = ExportKindOfFileName(fileName);
    if (kind == ExportKind::ResultFile)
        return WriteResultFile(table, fileName, a.dateLine, now, boxes);
    std::unique_ptr<ProgressLine> line;
    if (progressFd >= 0)
        line = std::make_unique<ProgressLine>(progressFd, TerminalWidth(progressFd));
    // Shown as rows, whatever steps the writer counts.
    const ExportProgress progress = [&](std::size_t done, std::size_t total) {
        if (line)
            line->Show(total ? done * table.rows.size() / total : done, fileName);
        return true;
    };
    const std::string target = SearchTargetOf(a, workingDir);
    if (kind == ExportKind::Spreadsheet)
        return WriteSpreadsheet(table, fileName, {SheetNameOf(target)}, boxes, progress);
    const ReportSubject subject{target, TrimBlanks(a.mask), a.options.structureMode};
    if (!writePdf) {
        boxes.Error(Msg(97));
        return {};
    }
    return writePdf(table, MakeReportTexts(table, subject, now), fileName, boxes, progress);
}
