#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/statx_ring.h"
#include "support/temp_tree.h"

// More requests than the ring holds at once, a folder and a name that is not there: each
// ends as its own statx call would.
TEST(StatxRing, EachRequestEndsAsItsOwnCallWould) {
    const std::unique_ptr<StatxRing> ring = StatxRing::Make();
    if (!ring)
        GTEST_SKIP() << "no io_uring here";
    TempTree t;
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i)
        names.push_back(t.File("f" + std::to_string(i), i * 1000).substr(t.Root().size() + 1));
    t.Folder("sub");
    names.push_back("sub");
    names.push_back("missing");
    std::vector<StatxRing::Request> requests;
    for (const std::string& n : names)
        requests.push_back({n.c_str(), STATX_SIZE | STATX_TYPE});
    const int folder = ::open(t.Root().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(folder, 0);
    for (int round = 0; round < 2; ++round) { // the ring is used again
        ring->Run(folder, requests, AT_SYMLINK_NOFOLLOW);
        for (int i = 0; i < 300; ++i) {
            ASSERT_EQ(requests[i].result, 0) << names[i];
            EXPECT_EQ(ring->Result(i).stx_size, static_cast<unsigned>(i * 1000)) << names[i];
            EXPECT_TRUE(S_ISREG(ring->Result(i).stx_mode));
        }
        EXPECT_EQ(requests[300].result, 0);
        EXPECT_TRUE(S_ISDIR(ring->Result(300).stx_mode));
        EXPECT_EQ(requests[301].result, -ENOENT);
    }
    ::close(folder);
    EXPECT_TRUE(ring->Usable());
}
