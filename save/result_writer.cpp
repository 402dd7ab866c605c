#include "save/result_writer.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "resources/strings.h"
#include "save/atomic_file.h"
#include "save/result_format.h"

namespace {

// Lines are handed to the file in pieces of about this size.
constexpr std::size_t kChunk = 1 << 20;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool DriveRefusesFiles(const std::string& typeName) {
    return typeName == "CD-ROM" || typeName == "RAM disk" || typeName == "Does not exist";
}

bool WriteBody(const std::string& fileName, const FileBody& body) {
    AtomicFile file(fileName);
    if (!file.IsOpen())
        return false;
    return body([&](std::string_view bytes) { return file.Write(bytes); }) && file.Commit();
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

} // namespace

ResultLines::ResultLines(const std::vector<ColumnSpec>& columns, ResultLayout layout,
                         const std::optional<std::string>& dateLine, Write write)
    : format_(columns, layout), write_(std::move(write)) {
    buffer_.reserve(kChunk + 4096);
    if (dateLine)
        buffer_.append(*dateLine).append("\r\n");
    AppendHeaderLine(buffer_, columns, layout);
}

bool ResultLines::Append(const ResultRow& row) {
    if (ok_)
        format_.Append(buffer_, row);
    return Written();
}

bool ResultLines::Append(std::span<const std::string_view> cells) {
    if (ok_)
        format_.Append(buffer_, cells);
    return Written();
}

bool ResultLines::Written() {
    if (ok_ && buffer_.size() >= kChunk) {
        ok_ = write_(buffer_);
        buffer_.clear();
    }
    return ok_;
}

bool ResultLines::Finish() {
    if (ok_ && !buffer_.empty())
        ok_ = write_(buffer_);
    buffer_.clear();
    return ok_;
}

bool WriteToDescriptor(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool WriteResultLines(const ResultTable& table, ResultLayout layout,
                      const std::optional<std::string>& dateLine,
                      const std::function<bool(std::string_view)>& write) {
    ResultLines lines(table.columns, layout, dateLine, write);
    for (const ResultRow& row : table.rows)
        if (!lines.Append(row))
            return false;
    return lines.Finish();
}

bool WriteResultToDescriptor(const ResultTable& table, ResultLayout layout,
                             const std::optional<std::string>& dateLine, int fd) {
    return WriteResultLines(table, layout, dateLine,
                            [fd](std::string_view bytes) { return WriteToDescriptor(fd, bytes); });
}

std::optional<WriteOutcome> RefusedTarget(const std::string& fileName, MessageBoxes& boxes,
                                          const WriterPlatform& platform) {
    WriteOutcome out;
    // The file may not exist yet; its folder stands for the drive.
    const std::string folder = FolderOf(fileName);
    if (DriveRefusesFiles(platform.driveTypeName(folder))) {
        boxes.Error(Msg(97));
        out.rightPanel = Msg(99);
        return out;
    }
    if (!platform.hasFreeSpaceMB(folder, 1)) {
        boxes.Error(Msg(98));
        return out;
    }
    return std::nullopt;
}

WriteOutcome WrittenOutcome(bool written, const std::string& fileName, MessageBoxes& boxes) {
    WriteOutcome out;
    if (!written) {
        // An old file of that name is still there, untouched: no success report for it.
        boxes.Error(Msg(97));
        out.rightPanel = Msg(52) + "!";
        return out;
    }
    if (!FileExists(fileName)) {
        boxes.Error(Msg(99));
        return out;
    }
    out.saved = true;
    out.leftPanel = std::string();
    out.rightPanel = Msg(60) + " " + fileName + " " + Msg(61) + ".";
    return out;
}

WriteOutcome WriteCheckedFile(const std::string& fileName, const FileBody& body,
                              MessageBoxes& boxes, const WriterPlatform& platform) {
    if (auto refused = RefusedTarget(fileName, boxes, platform))
        return *refused;
    return WrittenOutcome(WriteBody(fileName, body), fileName, boxes);
}

WriteOutcome WriteResultFile(const ResultTable& table, const std::string& fileName,
                             bool includeDate, std::time_t now, MessageBoxes& boxes,
                             const WriterPlatform& platform) {
    const std::string dateLine =
        DateLine(ToLocalTime(now), platform.shortDateOrder, platform.timeSeparator);
    return WriteCheckedFile(
        fileName,
        [&](const ResultLines::Write& write) {
            return WriteResultLines(table, LayoutOfFileName(fileName),
                                    includeDate ? std::optional(dateLine) : std::nullopt, write);
        },
        boxes, platform);
}
