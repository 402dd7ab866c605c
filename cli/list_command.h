#pragma once
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "cli/list_options.h"
#include "cli/list_output.h"
#include "results/result_table.h"
#include "save/json_lines.h"
#include "save/result_writer.h"

// Where a run of pathquill-list writes; tests give pipes or files.
struct ListStreams {
    int out = 1;                // the listing without -o
    int err = 2;                // messages
    bool progress = false;      // a progress line on err (a terminal)
    bool outIsTerminal = false; // lines on out are seen as they come: no progress line then
    std::time_t now = 0;        // for the date line; 0: the clock
    std::string workingDir;     // relative paths are taken from here; empty: the current folder
    PdfWriter writePdf;         // for -o NAME.pdf
};

enum ListExit { ListRowsWritten = 0, ListNothingFound = 1, ListRefused = 2 };

// The whole command: arguments in, exit status out.
int RunListCommand(const std::vector<std::string>& args, const ListStreams& streams);

// Lines written as the rows are found, in the text layout or as JSON Lines; made with the
// first row, so nothing is written when nothing is found.
struct RowStream {
    ResultLayout layout;
    std::optional<std::string> dateLine;
    ResultLines::Write write;
    bool json = false;
    std::optional<ResultLines> lines;
    std::optional<JsonLines> jsonLines;
    std::size_t rows = 0;
};

// The search and the sort of one run, without the writing: the rows as the window would show
// them. refusal is set (and the table empty) when the window would refuse the search. With a
// stream, the rows go there instead of into the table.
struct ListResult {
    ResultTable table;
    std::string refusal;
    std::vector<std::string> notices; // boxes the window shows that do not end the run
};
ListResult RunListSearch(const ListArguments& arguments, const std::string& workingDir,
                         int progressFd, RowStream* stream = nullptr);
