#pragma once
#include <string>

// The texts of one found item, filled by the walker and turned into one row by AddRow.
struct ItemRecord {
    std::string ItemPath, FolderPath, SizeText, Modified, Created, LastAccess, Attributes,
        ShortName, TypeName, FileCount, SubfolderCount;
    bool FolderItem = false;
};
