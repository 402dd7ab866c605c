#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/directory.h"

// The desktop's file type name ("PDF-Dokument", "Ordner") by file name, in the user's language;
// folders and symbolic links by their kind, as file managers type them. One instance per thread. A
// name's type is remembered by the text from its first dot, except for names that a glob other than
// "*.suffix" may match (CMakeLists.txt, README*, core, *~): those are looked up one by one.
class TypeNameLookup {
  public:
    TypeNameLookup();
    ~TypeNameLookup();
    std::string TypeName(std::string_view path, EntryKind kind);

    // Globs that look at more than a name's ending from a dot; each in lower case.
    struct WholeNameGlobs {
        std::unordered_set<std::string> literal;
        std::vector<std::string> wildcard;
        bool MayMatch(std::string_view name) const;
    };
    // From the lines of shared-mime-info's globs2 files ("weight:type:glob[:flags]").
    static void AddGlobs2(std::string_view text, WholeNameGlobs& globs);

  private:
    std::string Lookup(std::string_view name) const;
    // The comment of a type that a kind of entry has whatever its name; known caches it.
    std::string KindName(const char* mimeType, std::string& known);

    struct Database;
    std::unique_ptr<Database> db_;
    WholeNameGlobs wholeName_;
    std::unordered_map<std::string, std::string> bySuffix_;
    std::string folderName_, linkName_;
};
