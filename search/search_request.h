#pragma once
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Marker of the search target for all drives.
inline constexpr std::string_view kAllDrives = "AllDrives";

// Structure modes of the structure-mode box.
enum StructureMode : int { ModeNone = 0, ModeExplorer = 1, ModeSingleFolders = 2 };

// The option check boxes as they were when the search started.
struct SearchOptions {
    bool showSize = false, showType = false, showModified = false, showCreated = false,
         showLastAccess = false, showFileCount = false, showSubfolderCount = false,
         showAttributes = false, showShortName = false;
    bool onlyFolders = false, includeSubfolders = false;
    int sizeUnit = 0;
    int structureMode = ModeNone;
};

// Which file rows of the plain listing appear, by size and by last change; folder rows and
// totals stay as they are. Size bounds are inclusive; newer takes files changed at or after
// it, older those changed strictly before.
struct FileBounds {
    std::optional<std::int64_t> minSize, maxSize;
    std::optional<std::time_t> newer, older;
    bool Any() const { return minSize || maxSize || newer || older; }
    bool Admit(std::int64_t size, std::time_t modified) const {
        return (!minSize || size >= *minSize) && (!maxSize || size <= *maxSize) &&
               (!newer || modified >= *newer) && (!older || modified < *older);
    }
};

// Whether a search fetches details in batches unless told otherwise.
inline constexpr bool kStatBatchesByDefault = true;
inline constexpr unsigned kDiskHelpersByDefault = 4;

struct SearchRequest {
    std::string target;                  // a folder path or kAllDrives
    std::string root;                    // the target with one trailing separator
    std::string mask;                    // trimmed look-for text; masks separated by ';'
    std::string excluded; // masks of names neither listed, entered nor counted; may be empty
    FileBounds fileBounds;
    std::vector<std::string> driveList;  // volume roots walked for kAllDrives
    std::vector<std::string> mountsNotToEnter; // pseudo file systems below the root
    SearchOptions options;
    unsigned walkThreads = 0; // threads reading folders; 0: one per core; 1: the search alone
    // The details of a folder's entries fetched many at once through io_uring (where the
    // kernel has it): a cold disk reads their inodes side by side.
    bool statBatches = kStatBatchesByDefault;
    // Threads beyond walkThreads that read ahead only while the disk keeps the readers
    // waiting (a cold disk); none without reading ahead.
    unsigned diskHelpers = kDiskHelpersByDefault;
    bool diskAlwaysSlow = false; // those threads read from the start, as on a slow disk
};
