#include <gtest/gtest.h>

#include <cstring>

#include "GSRoot/MemoryHandle.hpp"

namespace {

// Kills the handle at scope end so a failing assertion leaks nothing.
struct HandleScope {
    GSHandle handle;
    ~HandleScope() { BMKillHandle(&handle); }
};

bool AllZero(const char* data, GSSize from, GSSize to) {
    for (GSSize i = from; i < to; ++i) {
        if (data[i] != 0)
            return false;
    }
    return true;
}

TEST(MemoryHandle, AllocateGivesZeroedDataOfTheSize) {
    HandleScope h{BMAllocateHandle(24, 0, 0)};
    ASSERT_NE(h.handle, nullptr);
    EXPECT_EQ(BMGetHandleSize(h.handle), 24);
    EXPECT_TRUE(AllZero(*h.handle, 0, 24));
    HandleScope empty{BMAllocateHandle(0, 0, 0)};
    ASSERT_NE(empty.handle, nullptr);
    EXPECT_EQ(BMGetHandleSize(empty.handle), 0);
}

TEST(MemoryHandle, ReallocKeepsLeadingBytesOnGrowAndShrink) {
    HandleScope h{BMAllocateHandle(8, 0, 0)};
    ASSERT_NE(h.handle, nullptr);
    std::memcpy(*h.handle, "ABCDEFGH", 8);

    ASSERT_EQ(BMReallocHandle(h.handle, 1600, REALLOC_MOVEABLE, 0), NoError);
    EXPECT_EQ(BMGetHandleSize(h.handle), 1600);
    EXPECT_EQ(std::memcmp(*h.handle, "ABCDEFGH", 8), 0);
    EXPECT_TRUE(AllZero(*h.handle, 8, 1600));

    ASSERT_EQ(BMReallocHandle(h.handle, 3, REALLOC_MOVEABLE, 0), NoError);
    EXPECT_EQ(BMGetHandleSize(h.handle), 3);
    EXPECT_EQ(std::memcmp(*h.handle, "ABC", 3), 0);

    // Bytes dropped by the shrink must not reappear when growing again.
    ASSERT_EQ(BMReallocHandle(h.handle, 6, REALLOC_MOVEABLE, 0), NoError);
    EXPECT_EQ(std::memcmp(*h.handle, "ABC\0\0\0", 6), 0);

    ASSERT_EQ(BMReallocHandle(h.handle, 0, REALLOC_MOVEABLE, 0), NoError);
    EXPECT_EQ(BMGetHandleSize(h.handle), 0);
}

TEST(MemoryHandle, BadArgumentsAreRefusedWithoutChange) {
    EXPECT_EQ(BMAllocateHandle(-1, 0, 0), nullptr);
    HandleScope h{BMAllocateHandle(4, 0, 0)};
    ASSERT_NE(h.handle, nullptr);
    std::memcpy(*h.handle, "WXYZ", 4);
    EXPECT_EQ(BMReallocHandle(h.handle, -5, REALLOC_MOVEABLE, 0), ErrParam);
    EXPECT_EQ(BMGetHandleSize(h.handle), 4);
    EXPECT_EQ(std::memcmp(*h.handle, "WXYZ", 4), 0);
    EXPECT_EQ(BMReallocHandle(nullptr, 4, 0, 0), ErrNilHandle);
    EXPECT_EQ(BMGetHandleSize(nullptr), 0);
}

TEST(MemoryHandle, LiveCountFollowsAllocateAndKill) {
    const Int64 before = BMGetLiveHandleCount();
    GSHandle a = BMAllocateHandle(10, 0, 0);
    GSHandle b = BMAllocateHandle(0, 0, 0);
    EXPECT_EQ(BMGetLiveHandleCount(), before + 2);
    BMKillHandle(&a);
    EXPECT_EQ(a, nullptr);
    BMKillHandle(&a); // killing a null handle is harmless
    EXPECT_EQ(BMGetLiveHandleCount(), before + 1);
    BMKillHandle(&b);
    EXPECT_EQ(BMGetLiveHandleCount(), before);
}

} // namespace
