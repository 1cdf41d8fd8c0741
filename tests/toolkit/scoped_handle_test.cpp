// The portable handle owner: each handle closed once, through the traits' own data.
#include "toolkit/scoped_handle.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace korvane {
namespace {

// Handles are numbers, -1 is none; a close of an odd handle fails, as a file's close can.
struct Closer {
    std::vector<int> closed;
};
struct CountingTraits {
    using Handle = int;
    Closer* closer = nullptr;
    static Handle Invalid() { return -1; }
    static bool IsValid(Handle h) { return h != -1; }
    bool Close(Handle h) const {
        closer->closed.push_back(h);
        return h % 2 == 0;
    }
};
using Scoped = ScopedHandle<CountingTraits>;

TEST(ScopedHandleCore, ClosesOnceThroughTheOwnerItCameWith) {
    Closer a, b;
    {
        Scoped first(2, {&a});
        Scoped second(4, {&b});
        Scoped moved(std::move(first));
        EXPECT_FALSE(first);
        second = std::move(moved); // 4 goes now, through b; 2 keeps closing through a
        EXPECT_EQ((std::vector<int>{4}), b.closed);
        EXPECT_TRUE(a.closed.empty());
        EXPECT_EQ(2, second.Get());
    }
    EXPECT_EQ((std::vector<int>{2}), a.closed);
    EXPECT_EQ((std::vector<int>{4}), b.closed);
}

TEST(ScopedHandleCore, ResetReportsAFailedCloseAndReceiveFreesFirst) {
    Closer c;
    Scoped held(3, {&c});
    EXPECT_FALSE(held.Reset(6)); // 3 would not close
    EXPECT_TRUE(held.Reset());   // 6 did
    EXPECT_TRUE(held.Reset());   // nothing held: nothing to fail
    held.Reset(8);
    *held.Receive() = 10; // as a function handing a handle back through a pointer
    EXPECT_EQ((std::vector<int>{3, 6, 8}), c.closed);
    EXPECT_EQ(10, held.Release());
    EXPECT_EQ((std::vector<int>{3, 6, 8}), c.closed);
}

} // namespace
} // namespace korvane
