#include <gtest/gtest.h>

#include "app/command_line.h"

TEST(CommandLine, FolderArgumentAsTheTreeNamesFolders) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"\"\"", ""},
        {"/data/in", "/data/in"},
        {"\"/data/mit Blank\"", "/data/mit Blank"},
        {"data/in", "/home/anna/data/in"},
        {".", "/home/anna/"},
        {"../bob/./x", "/home/bob/x"},
        {"-folder", "/home/anna/-folder"}, // a folder whose name begins with "-"
        {"file:///data/mit%20Blank/", "/data/mit Blank/"},
        {"file://localhost/data", "/data"},
        {"file:///caf%E9", "/caf\xE9"}, // bytes that are not UTF-8 stay as they are
        {"file:///100%", "/100%"},
        {"file://server/share", "/home/anna/file:/server/share"}, // no local folder
        {std::string("caf\xE9"), "/home/anna/caf\xE9"},
    };
    for (const auto& [argument, folder] : cases)
        EXPECT_EQ(CommandLineFolder(argument, "/home/anna"), folder) << argument;
}
