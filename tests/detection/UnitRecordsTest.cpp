#include <gtest/gtest.h>

#include "detection/SpikeData.h"
#include "detection/TemplateUnit.h"
#include "platform/com/BinStream.h"
#include "platform/com/MemoryStream.h"
#include "support/FakeHost.h"

using namespace Nerolith;

namespace {

struct Records : ::testing::Test {
    FakeHost::Owner owner;
    ComPtr<SpikeData> saved = MakeCom<SpikeData>(&owner);
    ComPtr<SpikeData> loaded = MakeCom<SpikeData>(&owner);

    std::vector<std::uint8_t> Save()
    {
        auto stream = MakeCom<MemoryStream>();
        VEX::BinOStream out(stream.Get());
        saved->Units().WriteUnits(out);
        saved->Units().Assignments().Write(out);
        return stream->Bytes();
    }

    // Reads units and hand assignments back; whether the stream stayed good.
    bool Load(std::vector<std::uint8_t> bytes)
    {
        auto stream = MakeCom<MemoryStream>(std::move(bytes));
        VEX::BinIStream in(stream.Get());
        loaded->Units().ReadUnits(in);
        loaded->Units().Assignments().Read(in);
        return in.Good();
    }
};

} // namespace

TEST_F(Records, UnitsAndAssignmentsRoundTripAndRebuildUnderTheirNumbers)
{
    owner.calc().samples[{1, 2}] = {1, 2, 3, 4, 5, 6, 7, 8};
    UnitCatalog& units = saved->Units();
    units.NewContourUnit(1, {0, 1, 1}, {0, 0, 1});
    units.NewContourUnit(1, {0, 1.5, 1.5}, {0, 0, 2.5});
    ASSERT_TRUE(units.NewTemplateUnit(1, {4, 2}, {2, 4}, 0.125));
    units.NewContourUnit(7, {3}, {4});
    units.DeleteUnit(0);
    units.SetProperties(1, u"Fast \u00e9", 0xABCDEF, 0.5);
    units.Assignments().Add({.unit = 2, .block = 3, .tick = 99, .channel = 1, .tolerance = 4, .spikeIndex = 12});

    ASSERT_TRUE(Load(Save()));
    const UnitCatalog& back = loaded->Units();
    ASSERT_EQ(back.PendingUnits().size(), 3u);
    const UnitRecord& first = back.PendingUnits()[0];
    EXPECT_EQ(first.kind, kContourUnit);
    EXPECT_EQ(first.number, 1);
    EXPECT_EQ(first.name, VEX::String(u"Fast \u00e9"));
    EXPECT_EQ(first.colour, 0xABCDEFu);
    EXPECT_EQ(first.fitTolerance, 0.5);
    EXPECT_EQ(first.heights, (std::vector<double>{0, 0, 2.5}));
    EXPECT_EQ(back.PendingUnits()[1].sourceTick, 4);
    EXPECT_EQ(back.PendingUnits()[1].sourceBlock, 2);
    ASSERT_EQ(back.Assignments().Records().size(), 1u);
    EXPECT_EQ(back.Assignments().Records()[0].spikeIndex, 12);
    EXPECT_EQ(back.Assignments().Records()[0].tolerance, 4);

    // Channel 1 comes back under the saved numbers; channel 7 still waits,
    // and a save in between keeps it.
    EXPECT_EQ(loaded->Units().RebuildPendingUnits(1, {2, 4}), 2u);
    EXPECT_EQ(back.Units().size(), 2u);
    EXPECT_EQ(back.Find(1)->Name(), VEX::String(u"Fast \u00e9"));
    const auto& rebuilt = dynamic_cast<const TemplateUnit&>(*back.Find(2));
    EXPECT_EQ(rebuilt.Waveform(), (std::vector<float>{3, 4, 5, 6}));
    EXPECT_EQ(rebuilt.FitTolerance(), 0.125);
    ASSERT_EQ(back.PendingUnits().size(), 1u);
    EXPECT_EQ(back.NextNumber(), 4);
    saved = loaded;
    loaded = MakeCom<SpikeData>(&owner);
    ASSERT_TRUE(Load(Save()));
    EXPECT_EQ(loaded->Units().PendingUnits().size(), 3u);
}

TEST_F(Records, ShortAndCorruptStreamsKeepOnlyWholeRecords)
{
    saved->Units().NewContourUnit(0, {1, 2}, {3, 4});
    saved->Units().NewContourUnit(0, {1, 2}, {3, 4});
    std::vector<std::uint8_t> bytes = Save();
    bytes.resize(bytes.size() - 20);
    EXPECT_FALSE(Load(bytes));
    EXPECT_EQ(loaded->Units().PendingUnits().size(), 1u);
    EXPECT_TRUE(loaded->Units().Assignments().Records().empty());

    // Counts of 0xFFFFFFFF: nothing read, nothing allocated, no hang.
    EXPECT_FALSE(Load({0xAA, 0xAA, 0x14, 0x55, 0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0}));
    EXPECT_TRUE(loaded->Units().PendingUnits().empty());

    // A version-2 hand assignment has no spike index.
    std::vector<std::uint8_t> old = {0xAA, 0xAA, 0x14, 0x55, 0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0};
    for (std::uint8_t field : {1, 2, 3, 4, 5}) {
        old.insert(old.end(), {field, 0, 0, 0});
    }
    EXPECT_TRUE(Load(old));
    ASSERT_EQ(loaded->Units().Assignments().Records().size(), 1u);
    EXPECT_EQ(loaded->Units().Assignments().Records()[0].channel, 4);
    EXPECT_EQ(loaded->Units().Assignments().Records()[0].spikeIndex, -1);
}
