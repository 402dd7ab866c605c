#include "cli/list_command.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "app/message_boxes.h"
#include "cli/progress_line.h"
#include "platform/locale.h"
#include "platform/paths.h"
#include "resources/project_info.h"
#include "resources/strings.h"
#include "results/column_sort_state.h"
#include "results/columns.h"
#include "results/row_builder.h"
#include "save/json_lines.h"
#include "save/result_writer.h"
#include "search/name_filter.h"
#include "search/search_control_logic.h"
#include "search/search_thread.h"
#include "system/drives.h"

namespace {

constexpr std::string_view kProgram = "pathquill-list";

// Messages: a failed write is not worth a message of its own.
void Put(int fd, std::string_view text) {
    (void)WriteToDescriptor(fd, text);
}

void Report(int fd, const std::string& text) {
    Put(fd, std::string(kProgram) + ": " + text + "\n");
}

// The window's message boxes, written to standard error.
class ErrorStreamBoxes : public MessageBoxes {
  public:
    explicit ErrorStreamBoxes(int fd) : fd_(fd) {}
    void Error(const std::string& t) override { Report(fd_, t); }
    void Information(const std::string& t) override { Report(fd_, t); }
    bool Question(const std::string& t) override { return Report(fd_, t), false; }
    void Stop(const std::string& t) override { Report(fd_, t + "."); }
    void Plain(const std::string& t) override { Report(fd_, t); }

  private:
    int fd_;
};

// Takes the walker's hand-overs on the walking thread itself: rows built as the window builds
// them, progress shown as the status bar would show it. With lines set, each row is written at
// once instead of kept.
class RowSink : public SearchSink {
  public:
    RowSink(const SearchOptions& options, ResultTable& table, ProgressLine* progress,
            std::vector<std::string>& notices, RowStream* stream)
        : options_(options), unitWord_(UnitWord(options.sizeUnit)), table_(table),
          progress_(progress), notices_(notices), stream_(stream) {}

    void Synchronize(HandOver& h) override {
        if (stream_)
            Stream(h.items);
        else
            BuildRows(h.items, table_.columns, options_, unitWord_, seen_, table_.rows);
        if (h.statusChanged)
            status_ = h.statusPath;
        if (progress_)
            progress_->Show(stream_ ? stream_->rows : table_.rows.size(), status_);
    }
    void ShowNoDrivesMessage() override { notices_.push_back(Msg(198)); }
    std::size_t BatchRows() const override { return 256; }
    // A reader that went away (a closed pipe) ends the search.
    void EndOnFailedWrite(TSearchThread& search) { search_ = &search; }

  private:
    void Stream(std::span<const ItemRecord> items) {
        for (const ItemRecord& item : items) {
            if (!cells_.Make(item, table_.columns, options_, unitWord_, seen_))
                continue;
            if (!Written() && search_)
                search_->Terminate();
            ++stream_->rows;
        }
    }

    bool Written() {
        RowStream& s = *stream_;
        if (s.json) {
            if (!s.jsonLines)
                s.jsonLines.emplace(table_.columns, s.write);
            return s.jsonLines->Append(cells_.Cells(), cells_.Numbers());
        }
        if (!s.lines)
            s.lines.emplace(table_.columns, s.layout, s.dateLine, s.write);
        return s.lines->Append(cells_.Cells());
    }

    const SearchOptions& options_;
    std::string unitWord_;
    ResultTable& table_;
    ProgressLine* progress_;
    std::vector<std::string>& notices_;
    RowStream* stream_;
    TSearchThread* search_ = nullptr;
    SeenFolders seen_;
    RowCells cells_;
    std::string status_;
};

// A path as the folder tree would name it: absolute, without "." and ".." steps.
std::string Absolute(const std::string& path, const std::string& workingDir) {
    return paths::Absolute(path, workingDir.empty() ? paths::CurrentFolder() : workingDir);
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

ColumnKind KindOfSortKey(const std::string& key) {
    const std::pair<std::string_view, ColumnKind> keys[] = {{"name", ColumnKind::Path},
                                                            {"size", ColumnKind::Size},
                                                            {"type", ColumnKind::Type},
                                                            {"modified", ColumnKind::Modified},
                                                            {"created", ColumnKind::Created},
                                                            {"access", ColumnKind::LastAccess},
                                                            {"attributes", ColumnKind::Attributes},
                                                            {"shortname", ColumnKind::ShortName}};
    for (const auto& [name, kind] : keys)
        if (key == name)
            return kind;
    return ColumnKind::Unknown;
}

std::optional<std::size_t> ColumnOf(const SortRequest& sort,
                                    const std::vector<ColumnSpec>& columns) {
    const ColumnKind kind = KindOfSortKey(sort.key);
    for (std::size_t k = 0; k < columns.size(); ++k)
        if (columns[k].kind == kind)
            return k;
    return std::nullopt;
}

// The header clicks a user would make: the window clicks the name column once at start-up,
// then the user clicks the column until it shows the asked direction. Equal rows keep their
// order, so one sort in the final direction gives what two clicks would show.
void ApplySort(const SortRequest& sort, std::size_t column, ResultTable& table,
               const SearchOptions& options) {
    const std::string unitWord = UnitWord(options.sizeUnit);
    ColumnSortState state;
    ResultTable empty{table.columns, {}};
    ApplyHeaderClick(state, empty, 0, options.structureMode, unitWord);
    std::vector<std::string> captions;
    for (const ColumnSpec& c : table.columns)
        captions.push_back(c.caption);
    for (int click = 0; click < 2; ++click) {
        const HeaderClickOutcome out =
            state.Click(column, captions, options.structureMode != ModeNone);
        if (!out.sort)
            return; // a click that sorts nothing, as in the structure listings
        if (!sort.direction || *sort.direction == out.sort->direction) {
            SortRows(table, *out.sort, unitWord);
            return;
        }
    }
}

std::optional<std::string> Refusal(const ListArguments& a, const std::string& target) {
    const bool structure = a.options.structureMode != ModeNone;
    if (!a.allDrives && !IsFolder(target))
        return Msg(119);
    if (!structure && SplitMasks(a.mask).empty())
        return Msg(80);
    if (!a.allDrives && !GetVolumeInfo(target).ok)
        return Msg(34);
    return std::nullopt;
}

std::optional<std::string> DateLineAt(const ListArguments& a, const ListStreams& s) {
    if (!a.dateLine)
        return std::nullopt;
    const LocaleFormats& loc = CurrentLocale();
    return DateLine(ToLocalTime(s.now ? s.now : std::time(nullptr)), loc.shortDateOrder,
                    loc.timeSeparator);
}

// JSON Lines by --format or by the name of the output file.
bool WritesJsonLines(const ListArguments& a) {
    const std::size_t dot = a.output.rfind('.');
    return a.format == ListFormat::JsonLines ||
           (dot != std::string::npos && a.output.find('/', dot) == std::string::npos &&
            UpperCase(a.output.substr(dot)) == ".JSONL");
}

int Finish(const ListArguments& a, ListResult& result, const ListStreams& s) {
    ErrorStreamBoxes boxes(s.err);
    if (result.table.rows.empty()) {
        boxes.Error(Msg(56));
        return ListNothingFound;
    }
    const bool json = WritesJsonLines(a);
    if (a.output.empty()) {
        const auto write = [fd = s.out](std::string_view b) { return WriteToDescriptor(fd, b); };
        if (json ? !WriteJsonLines(result.table, write)
                 : !WriteResultToDescriptor(result.table, ResultLayout::PlainText, DateLineAt(a, s),
                                            s.out)) {
            boxes.Error(Msg(97));
            return ListRefused;
        }
        return ListRowsWritten;
    }
    const std::string file = Absolute(a.output, s.workingDir);
    const std::time_t now = s.now ? s.now : std::time(nullptr);
    const WriteOutcome out =
        json ? WriteCheckedFile(
                   file, [&](const JsonLines::Write& w) { return WriteJsonLines(result.table, w); },
                   boxes)
             : WriteListFile(result.table, a, file, s.workingDir, now, boxes, s.writePdf,
                             s.progress ? s.err : -1);
    return out.saved ? ListRowsWritten : ListRefused;
}

int FinishStream(RowStream& stream, const ListStreams& s) {
    ErrorStreamBoxes boxes(s.err);
    if (stream.rows == 0) {
        boxes.Error(Msg(56));
        return ListNothingFound;
    }
    if (!(stream.json ? stream.jsonLines->Finish() : stream.lines->Finish())) {
        boxes.Error(Msg(97));
        return ListRefused;
    }
    return ListRowsWritten;
}

} // namespace

ListResult RunListSearch(const ListArguments& a, const std::string& workingDir, int progressFd,
                         RowStream* stream) {
    ListResult result;
    SearchRequest request;
    request.options = AsWindowWouldHoldThem(a.options);
    request.walkThreads = a.threads;
    request.statBatches = StatBatchesWanted(std::getenv("PATHQUILL_IO_URING"));
    request.diskHelpers =
        DiskHelpersWanted(std::getenv("PATHQUILL_DISK_HELPERS"), kDiskHelpersByDefault);
    request.excluded = a.excluded;
    request.fileBounds = a.fileBounds;
    if (a.allDrives) {
        request.target = std::string(kAllDrives);
    } else {
        request.target = paths::WithoutTrailingSeparator(Absolute(a.folder, workingDir));
        request.root = paths::WithTrailingSeparator(request.target);
    }
    if (const auto refusal = Refusal(a, request.target)) {
        result.refusal = *refusal;
        return result;
    }
    request.mask = request.options.structureMode == ModeNone ? TrimBlanks(a.mask) : "*.*";
    if (a.allDrives)
        BuildDriveList(request.driveList);
    request.mountsNotToEnter = MountPointsNotToEnter();
    result.table.columns = BuildColumnSet(request.options);
    const SearchOptions options = request.options;
    if (a.sort && !ColumnOf(*a.sort, result.table.columns)) {
        result.refusal = Msg(209) + " " + a.sort->key;
        return result;
    }

    std::unique_ptr<ProgressLine> progress;
    if (progressFd >= 0)
        progress = std::make_unique<ProgressLine>(progressFd, TerminalWidth(progressFd));
    RowSink sink(options, result.table, progress.get(), result.notices, stream);
    TSearchThread search(std::move(request), sink);
    sink.EndOnFailedWrite(search);
    search.Execute();
    progress.reset();

    if (a.sort)
        ApplySort(*a.sort, *ColumnOf(*a.sort, result.table.columns), result.table, options);
    return result;
}

int RunListCommand(const std::vector<std::string>& args, const ListStreams& s) {
    const ParsedArguments parsed = ParseListArguments(args);
    if (!parsed.arguments) {
        Report(s.err, parsed.error);
        Put(s.err, Msg(210) + "\n");
        return ListRefused;
    }
    const ListArguments& a = *parsed.arguments;
    if (a.help) {
        Put(s.out, MessageText(204));
        return ListRowsWritten;
    }
    if (a.version) {
        Put(s.out, std::string(kProgram) + " " + kPathquillVersion + "\n");
        return ListRowsWritten;
    }
    // Unsorted on standard output, the lines go out as they are found, nothing kept.
    std::optional<RowStream> stream;
    if (a.output.empty() && !a.sort)
        stream.emplace(
            RowStream{ResultLayout::PlainText, DateLineAt(a, s),
                      [fd = s.out](std::string_view b) { return WriteToDescriptor(fd, b); },
                      WritesJsonLines(a), std::nullopt, std::nullopt, 0});
    const bool progress = s.progress && !(stream && s.outIsTerminal);
    ListResult result =
        RunListSearch(a, s.workingDir, progress ? s.err : -1, stream ? &*stream : nullptr);
    for (const std::string& notice : result.notices)
        Report(s.err, notice);
    if (!result.refusal.empty()) {
        Report(s.err, result.refusal);
        return ListRefused;
    }
    return stream ? FinishStream(*stream, s) : Finish(a, result, s);
}
