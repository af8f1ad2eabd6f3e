// Huge-page memory: aligned to a huge page, writable to the end of its last
// whole huge page, and refused for sizes that cannot be rounded up.
#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

#include "platform/memory/HugePages.h"

namespace {

TEST(HugePages, MemoryIsAlignedAndWritableToItsLastWholeHugePage)
{
    constexpr std::size_t kHuge = platform::kHugePageBytes;
    for (const std::size_t bytes : {std::size_t{1}, kHuge - 1, kHuge, kHuge + 1, 3 * kHuge + 4096}) {
        void* memory = platform::MapHugePages(bytes);
        ASSERT_NE(memory, nullptr) << bytes;
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(memory) % kHuge, 0u) << bytes;
        const std::size_t whole = platform::WholeHugePages(bytes);
        EXPECT_EQ(whole % kHuge, 0u);
        EXPECT_GE(whole, bytes);
        EXPECT_LT(whole - bytes, kHuge);
        std::memset(memory, 0x3C, whole);
        EXPECT_EQ(static_cast<const unsigned char*>(memory)[whole - 1], 0x3C) << bytes;
        platform::UnmapHugePages(memory, bytes);
    }
    platform::UnmapHugePages(nullptr, kHuge);
}

TEST(HugePages, NothingAndTheImpossibleAreRefused)
{
    EXPECT_EQ(platform::MapHugePages(0), nullptr);
    EXPECT_EQ(platform::MapHugePages(SIZE_MAX - 4096), nullptr);
}

} // namespace
