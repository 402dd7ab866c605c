#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

// The desktop's file type name ("PDF-Dokument", "Ordner") by file name, in the user's language.
// One instance per thread; it remembers the names per suffix.
class TypeNameLookup {
public:
    TypeNameLookup();
    ~TypeNameLookup();
    std::string TypeName(std::string_view path, bool isFolder);

private:
    struct Database;
    std::unique_ptr<Database> db_;
    std::unordered_map<std::string, std::string> bySuffix_;
    std::string folderName_;
};
