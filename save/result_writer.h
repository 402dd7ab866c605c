#pragma once
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/message_boxes.h"
#include "platform/locale.h"
#include "results/result_table.h"
#include "save/result_format.h"
#include "system/drives.h"

// What the writer asks of the machine; tests replace any of it.
struct WriterPlatform {
    std::function<std::string(const std::string&)> driveTypeName = GetDriveTypeName;
    std::function<bool(const std::string&, std::int64_t)> hasFreeSpaceMB = HasFreeSpaceMB;
    int shortDateOrder = CurrentLocale().shortDateOrder;
    std::string timeSeparator = CurrentLocale().timeSeparator;
};

// New texts for the two status bar panels; an empty optional leaves a panel as it is.
struct WriteOutcome {
    bool saved = false;
    std::optional<std::string> leftPanel, rightPanel;
};

// The bytes of a file, handed to write piece by piece; false as soon as a write fails.
using FileBody = std::function<bool(const std::function<bool(std::string_view)>& write)>;

// Saves a result file of any format: the drive and space checks, the complete new file in
// place of the old one, failures reported through boxes and the outcome for the status bar.
WriteOutcome WriteCheckedFile(const std::string& fileName, const FileBody& body,
                              MessageBoxes& boxes, const WriterPlatform& platform = {});

// Writes the list as displayed (columns and rows in their current order) to fileName: CSV for
// a .csv name, semicolon-separated text otherwise, with the date line when includeDate is set.
// The old file is replaced only by a complete new one. Failures are reported through boxes.
WriteOutcome WriteResultFile(const ResultTable& table, const std::string& fileName,
                             bool includeDate, std::time_t now, MessageBoxes& boxes,
                             const WriterPlatform& platform = {});

// The checks of the target's drive and free space that come before any writing: the refusal
// as reported, or nothing when the file may be written.
std::optional<WriteOutcome> RefusedTarget(const std::string& fileName, MessageBoxes& boxes,
                                          const WriterPlatform& platform = {});
// The report after writing fileName: success only when it was written and is there.
WriteOutcome WrittenOutcome(bool written, const std::string& fileName, MessageBoxes& boxes);

// The lines of a result file as its rows come: the date line and the header first, then a
// line per row. Bytes go to write in pieces of about a megabyte.
class ResultLines {
  public:
    using Write = std::function<bool(std::string_view)>;
    ResultLines(const std::vector<ColumnSpec>& columns, ResultLayout layout,
                const std::optional<std::string>& dateLine, Write write);
    // False once a write failed; nothing more is written then.
    bool Append(const ResultRow& row);
    bool Append(std::span<const std::string_view> cells);
    // Writes what is left; false when any write failed.
    bool Finish();

  private:
    bool Written();

    RowLineFormat format_;
    Write write_;
    std::string buffer_;
    bool ok_ = true;
};

// Writes every piece to an open descriptor (standard output); false when it cannot.
bool WriteToDescriptor(int fd, std::string_view bytes);

// The bytes of the file WriteResultFile writes, handed to write piece by piece; false as soon as
// write fails.
bool WriteResultLines(const ResultTable& table, ResultLayout layout,
                      const std::optional<std::string>& dateLine,
                      const std::function<bool(std::string_view)>& write);
// The same bytes to an open descriptor (standard output), without the checks of a file save.
bool WriteResultToDescriptor(const ResultTable& table, ResultLayout layout,
                             const std::optional<std::string>& dateLine, int fd);
