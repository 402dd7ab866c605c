#pragma once
#include <string>
#include <string_view>

#include "app/message_boxes.h"
#include "save/result_writer.h"

// A file an export is made in before it replaces its target, so that a failed or cancelled
// export leaves the target as it was. It lies in the temporary folder and goes with the object.
class ScratchFile {
  public:
    ScratchFile();
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    bool IsMade() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// Replaces fileName with the scratch file's bytes in one step (as the result file is replaced)
// and reports as the result file does.
WriteOutcome PublishExport(const ScratchFile& scratch, const std::string& fileName,
                           MessageBoxes& boxes);

// What the status bar says after the user cancelled an export.
WriteOutcome CancelledExport();

// What a file name asks for by its extension, in any letter case: .pdf a PDF report, .xlsx a
// spreadsheet, anything else the result file.
enum class ExportKind { ResultFile, Pdf, Spreadsheet };
ExportKind ExportKindOfFileName(std::string_view fileName);
