// The spike store's table keeps its spikes in chunks: every spike must read
// back as it was appended on both sides of a chunk's end, in a copy, and
// after the table was cleared and filled again.
#include <cstddef>

#include <gtest/gtest.h>

#include "detection/SpikeTable.h"

namespace {

using Nerolith::SpikeTable;

void AppendNumbered(SpikeTable& table, std::size_t count, std::int32_t salt)
{
    for (std::size_t i = 0; i < count; ++i) {
        const auto n = static_cast<std::int32_t>(i);
        table.Append(static_cast<float>(n) * 0.5f, static_cast<float>(n % 7), static_cast<std::uint32_t>(n + salt),
                     {n * 3, n / 1000}, n % 5 - 1 + salt);
    }
}

void ExpectNumbered(const SpikeTable& table, std::size_t count, std::int32_t salt, const char* what)
{
    ASSERT_EQ(table.Size(), count) << what;
    const std::size_t boundary = SpikeTable::kSpikesPerChunk;
    for (const std::size_t i : {std::size_t{0}, boundary - 1, boundary, boundary + 1, count - 1}) {
        const auto n = static_cast<std::int32_t>(i);
        EXPECT_EQ(table.Heights()[i], static_cast<float>(n) * 0.5f) << what << " spike " << i;
        EXPECT_EQ(table.Widths()[i], static_cast<float>(n % 7)) << what << " spike " << i;
        EXPECT_EQ(table.Colours()[i], static_cast<std::uint32_t>(n + salt)) << what << " spike " << i;
        EXPECT_EQ(table.Positions()[i], (Host::Position{n * 3, n / 1000})) << what << " spike " << i;
        EXPECT_EQ(table.SpikeUnits()[i], n % 5 - 1 + salt) << what << " spike " << i;
    }
}

TEST(SpikeTable, SpikesReadBackAcrossChunksInCopiesAndAfterClearing)
{
    const std::size_t count = 2 * SpikeTable::kSpikesPerChunk + 17;
    SpikeTable table;
    AppendNumbered(table, count, 0);
    ExpectNumbered(table, count, 0, "appended");
    EXPECT_EQ(table.Extents().maxHeight, static_cast<float>(count - 1) * 0.5f);
    EXPECT_EQ(table.Extents().minWidth, 0.0f);

    const SpikeTable copy(table);
    table.Clear();
    EXPECT_EQ(table.Size(), 0u);
    EXPECT_GT(table.Extents().minHeight, table.Extents().maxHeight) << "no spikes, no extents";
    ExpectNumbered(copy, count, 0, "copied, then the original cleared");

    AppendNumbered(table, SpikeTable::kSpikesPerChunk + 2, 9);
    ExpectNumbered(table, SpikeTable::kSpikesPerChunk + 2, 9, "filled again");
    EXPECT_EQ(table.Colours().ToVector().size(), SpikeTable::kSpikesPerChunk + 2);
}

} // namespace
