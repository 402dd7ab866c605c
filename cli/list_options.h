#pragma once
#include <optional>
#include <string>
#include <vector>

#include "search/search_request.h"

// A column to sort by, as a header click picks it.
struct SortRequest {
    std::string key; // name, size, type, modified, created, access, attributes, shortname
    std::optional<int> direction; // +1 asc, -1 desc; none: the direction a first click gives
};

// How the rows are written: as the window saves them (text or, for .csv, CSV), or one JSON
// object per row.
enum class ListFormat { Layout, JsonLines };

// One run of pathquill-list as its arguments ask for it.
struct ListArguments {
    std::string folder;
    bool allDrives = false;
    std::string mask = "*.*"; // every -m, separated by ';'
    std::string excluded;     // every --exclude, likewise
    FileBounds fileBounds;
    SearchOptions options; // the option boxes as the window would hold them for this search
    std::optional<SortRequest> sort;
    bool dateLine = false;
    unsigned threads = 0; // walking threads, at most 4; 0: the default (one per core)
    std::string output; // empty: text layout on standard output
    ListFormat format = ListFormat::Layout; // JSON Lines also for an output name ending .jsonl
    bool help = false, version = false;
};

struct ParsedArguments {
    std::optional<ListArguments> arguments;
    std::string error; // the usage error when arguments is empty
};

ParsedArguments ParseListArguments(const std::vector<std::string>& args);

// The boxes as the window leaves them for a search: a structure mode checks "mit
// Unterordnern" and "Ordnername und -größe" and disables the columns it cannot show; the
// plain layouts disable the two counts; "Ordnername und -größe" unchecks the columns.
SearchOptions AsWindowWouldHoldThem(SearchOptions options);
