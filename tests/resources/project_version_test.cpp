#include <gtest/gtest.h>

#include <string>

#include "resources/version_block.h"
#include "tests/cli/cli_capture.h"

// The version is set once, in project() of CMakeLists.txt; the info dialog's version block
// and pathquill-list --version must show that one, not a copy that was left behind.
TEST(ProjectVersion, InfoDialogAndListCommandShowTheProjectsVersion) {
    const std::string cmake = ReadBytes(std::string(PATHQUILL_SOURCE_DIR) + "/CMakeLists.txt");
    const std::string key = "project(Pathquill VERSION ";
    const std::size_t at = cmake.find(key);
    ASSERT_NE(at, std::string::npos);
    const std::size_t from = at + key.size();
    const std::string version =
        cmake.substr(from, cmake.find_first_not_of("0123456789.", from) - from);
    const std::string major = version.substr(0, version.find('.'));
    ASSERT_FALSE(major.empty());

    const VersionValues block = ReadVersionValues(ProgramVersionBlock());
    EXPECT_EQ(block.fileVersion, version);
    EXPECT_EQ(block.productVersion, major);

    const TempTree scratch;
    const CliRun run = RunCli(scratch, {"--version"});
    EXPECT_EQ(run.out, "pathquill-list " + version + "\n");
    EXPECT_EQ(run.status, 0);
}
