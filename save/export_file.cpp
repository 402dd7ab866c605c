#include "save/export_file.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include "resources/strings.h"
#include "save/atomic_file.h"

namespace {

std::string TemporaryFolder() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

bool CopyInto(int from, AtomicFile& to) {
    char buffer[1 << 16];
    while (true) {
        const ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        if (!to.Write(std::string_view(buffer, static_cast<std::size_t>(n))))
            return false;
    }
}

} // namespace

ScratchFile::ScratchFile() {
    std::string name = TemporaryFolder() + "/pathquill-export-XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return;
    ::close(fd);
    path_ = name;
}

ScratchFile::~ScratchFile() {
    if (!path_.empty())
        ::unlink(path_.c_str());
}

WriteOutcome PublishExport(const ScratchFile& scratch, const std::string& fileName,
                           MessageBoxes& boxes) {
    bool written = false;
    const int from = ::open(scratch.Path().c_str(), O_RDONLY | O_CLOEXEC);
    if (from >= 0) {
        AtomicFile file(fileName);
        written = file.IsOpen() && CopyInto(from, file) && file.Commit();
        ::close(from);
    }
    return WrittenOutcome(written, fileName, boxes);
}

ExportKind ExportKindOfFileName(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || fileName.find('/', dot) != std::string_view::npos)
        return ExportKind::ResultFile;
    std::string extension(fileName.substr(dot + 1));
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "pdf")
        return ExportKind::Pdf;
    if (extension == "xlsx")
        return ExportKind::Spreadsheet;
    return ExportKind::ResultFile;
}

WriteOutcome CancelledExport() {
    WriteOutcome out;
    out.leftPanel = std::string();
    out.rightPanel = Msg(99);
    return out;
}
