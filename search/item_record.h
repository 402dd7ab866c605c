#pragma once
#include <cstdint>
#include <ctime>
#include <string>

// The numbers behind an item's texts, for outputs that keep numbers as numbers (spreadsheets,
// JSON): sizes in bytes whatever unit the texts use, times as seconds since the epoch.
struct ItemNumbers {
    enum Field : unsigned {
        Size = 1,
        Modified = 2,
        Created = 4,
        Accessed = 8,
        Files = 16,
        Subfolders = 32
    };
    std::int64_t size = 0, files = 0, subfolders = 0;
    std::time_t modified = 0, created = 0, accessed = 0;
    unsigned known = 0; // the fields the walker filled; a time the file system lacks is unknown

    bool Has(Field field) const { return (known & field) != 0; }
};

// The texts of one found item, filled by the walker and turned into one row by AddRow.
struct ItemRecord {
    std::string ItemPath, FolderPath, SizeText, Modified, Created, LastAccess, Attributes,
        ShortName, TypeName, FileCount, SubfolderCount;
    ItemNumbers Numbers;
    bool FolderItem = false;
};
