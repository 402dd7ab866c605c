#include <gtest/gtest.h>

#include <regex>

#include "resources/version_block.h"
#include "tests/cli/cli_capture.h"

// The version is set once, in project() of CMakeLists.txt; the info dialog's version block
// and pathquill-list --version must show that one, not a copy that was left behind.
TEST(ProjectVersion, InfoDialogAndListCommandShowTheProjectsVersion) {
    const std::string cmake = ReadBytes(std::string(PATHQUILL_SOURCE_DIR) + "/CMakeLists.txt");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(cmake, match,
                                  std::regex(R"(project\(Pathquill VERSION (([0-9]+)[0-9.]*)\s)")));
    const std::string version = match[1], major = match[2];

    const VersionValues block = ReadVersionValues(ProgramVersionBlock());
    EXPECT_EQ(block.fileVersion, version);
    EXPECT_EQ(block.productVersion, major);

    const TempTree scratch;
    const CliRun run = RunCli(scratch, {"--version"});
    EXPECT_EQ(run.out, "pathquill-list " + version + "\n");
    EXPECT_EQ(run.status, 0);
}
