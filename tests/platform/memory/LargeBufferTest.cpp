// Large buffers: every byte they promise can be written, whatever the size,
// moving one hands its memory over exactly once, and a forked child keeps
// what the buffers alive at the fork hold.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/memory/LargeBuffer.h"

namespace {

TEST(LargeBuffer, EveryPromisedByteIsWritableAtSizesAroundItsPageSizes)
{
    constexpr std::size_t kMiB = std::size_t{1} << 20;
    constexpr std::size_t kQuarterMiB = kMiB / 4;
    for (const std::size_t bytes : {std::size_t{1}, kQuarterMiB - 1, kQuarterMiB, kMiB + 3, 2 * kMiB, 2 * kMiB + 1,
                                    5 * kMiB}) {
        const platform::LargeBuffer buffer(bytes);
        ASSERT_NE(buffer.Data(), nullptr) << bytes;
        EXPECT_EQ(buffer.Size(), bytes);
        std::memset(buffer.Data(), 0xA5, bytes);
        const auto* last = static_cast<const unsigned char*>(buffer.Data()) + bytes - 1;
        EXPECT_EQ(*last, 0xA5) << bytes;
    }
}

TEST(LargeBuffer, AnImpossibleSizeIsRefusedNotWrappedAround)
{
    EXPECT_THROW(platform::LargeBuffer(SIZE_MAX - 4096), std::bad_alloc);
}

TEST(LargeBuffer, MovingHandsTheMemoryOver)
{
    platform::LargeBuffer first(std::size_t{3} << 20);
    void* const memory = first.Data();
    platform::LargeBuffer second(std::move(first));
    EXPECT_EQ(second.Data(), memory);
    EXPECT_EQ(first.Data(), nullptr);
    EXPECT_EQ(first.Size(), 0u);

    platform::LargeBuffer small(64);
    small = std::move(second);
    EXPECT_EQ(small.Data(), memory);
    EXPECT_EQ(small.Size(), std::size_t{3} << 20);
    std::memset(small.Data(), 1, small.Size());
}

// A released buffer's memory serves the next of its size, and never two
// live buffers at once.
TEST(LargeBuffer, ReleasedMemoryIsReusedButNeverShared)
{
    constexpr std::size_t kBytes = std::size_t{7} << 20;
    void* released = nullptr;
    {
        const platform::LargeBuffer first(kBytes);
        released = first.Data();
    }
    const platform::LargeBuffer second(kBytes);
    const platform::LargeBuffer third(kBytes);
    EXPECT_EQ(second.Data(), released);
    EXPECT_NE(third.Data(), second.Data());
    std::memset(second.Data(), 2, kBytes);
    std::memset(third.Data(), 3, kBytes);
    EXPECT_EQ(*static_cast<const unsigned char*>(second.Data()), 2);
}

bool Holds(const platform::LargeBuffer& buffer, unsigned char value)
{
    const auto* bytes = static_cast<const unsigned char*>(buffer.Data());
    return std::all_of(bytes, bytes + buffer.Size(), [value](unsigned char byte) { return byte == value; });
}

// A child forked while a buffer that reuses released memory is alive reads
// what the parent wrote there. Memory released and kept for reuse is not
// shared with the child: the buffer the child makes of it starts empty,
// rather than copying the parent's pages 4 KiB at a time as it writes.
TEST(LargeBuffer, AForkedChildSharesLiveBuffersButNotKeptMemory)
{
    constexpr std::size_t kBytes = std::size_t{512} << 10;
    { const platform::LargeBuffer released(kBytes); }
    const platform::LargeBuffer live(kBytes);
    std::memset(live.Data(), 0x5A, kBytes);
    {
        const platform::LargeBuffer kept(kBytes);
        std::memset(kept.Data(), 0xC3, kBytes);
    }
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const platform::LargeBuffer fresh(kBytes);
        ::_exit(!Holds(live, 0x5A) ? 1 : !Holds(fresh, 0) ? 2 : 0);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 1) << "the live buffer lost its contents in the child";
    EXPECT_NE(WEXITSTATUS(status), 2) << "the child was handed the parent's kept memory";
    EXPECT_TRUE(Holds(live, 0x5A));
}

} // namespace
