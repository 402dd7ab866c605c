#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/type_names.h"

namespace {

// Names whose type a glob on the whole name decides, next to names of the same suffix.
const std::vector<std::string> kNames = {
    "notes.txt", "CMakeLists.txt", "cmakelists.txt", "README",   "README.md", "readme.txt",
    "Makefile",  "file12",         "core",           "a.tar.gz", "b.gz",      "x.txt~",
    "y.txt",     "pom.xml",        "other.xml",      "page.1",   "notes.TXT", "lib.so.6",
};

} // namespace

TEST(TypeNames, EveryNameGetsTheTypeOfItsOwnLookupWhateverCameBefore) {
    std::vector<std::string> reversed(kNames.rbegin(), kNames.rend());
    for (const auto& order : {kNames, reversed}) {
        TypeNameLookup shared;
        for (const std::string& name : order) {
            TypeNameLookup fresh;
            EXPECT_EQ(shared.TypeName("/d/" + name, EntryKind::File),
                      fresh.TypeName("/d/" + name, EntryKind::File))
                << name;
        }
    }
}

TEST(TypeNames, WholeNameGlobsTellApartNamesOfOneSuffix) {
    TypeNameLookup lookup;
    EXPECT_NE(lookup.TypeName("/d/notes.txt", EntryKind::File),
              lookup.TypeName("/d/CMakeLists.txt", EntryKind::File));
    EXPECT_NE(lookup.TypeName("/d/file12", EntryKind::File),
              lookup.TypeName("/d/Makefile", EntryKind::File));
    EXPECT_NE(lookup.TypeName("/d/b.gz", EntryKind::File),
              lookup.TypeName("/d/a.tar.gz", EntryKind::File));
    EXPECT_EQ(lookup.TypeName("/d/notes.txt", EntryKind::File),
              lookup.TypeName("/e/y.txt", EntryKind::File));
    EXPECT_FALSE(lookup.TypeName("/d", EntryKind::Directory).empty());
}

TEST(TypeNames, Globs2LinesGiveTheGlobsThatLookAtWholeNames) {
    TypeNameLookup::WholeNameGlobs globs;
    TypeNameLookup::AddGlobs2("# comment\n"
                              "50:text/x-cmake:CMakeLists.txt\n"
                              "50:text/plain:*.txt\n"
                              "55:application/x-core:core:cs\n"
                              "10:text/x-readme:README*\n"
                              "50:application/x-trash:*~\n"
                              "broken line\n",
                              globs);
    EXPECT_EQ(globs.literal.size(), 2u);
    EXPECT_EQ(globs.wildcard, (std::vector<std::string>{"readme*", "*~"}));
    const std::pair<const char*, bool> cases[] = {
        {"CMakeLists.txt", true}, {"cmakelists.TXT", true}, {"notes.txt", false},
        {"core", true},           {"Core", true},           {"core.c", false},
        {"README.md", true},      {"a.txt~", true},         {"a.txt", false},
    };
    for (const auto& [name, hit] : cases)
        EXPECT_EQ(globs.MayMatch(name), hit) << name;
}
