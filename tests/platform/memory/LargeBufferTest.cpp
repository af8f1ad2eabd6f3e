// Large buffers: every byte they promise can be written, whatever the size,
// and moving one hands its memory over exactly once.
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

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

} // namespace
