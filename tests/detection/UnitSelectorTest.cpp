#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "detection/SpikeEvent.h"
#include "detection/UnitSelector.h"
#include "platform/com/ComPtr.h"

namespace Nerolith::Enum {
namespace {

// Spike events of one block, served like the detector serves them.
class FakeSpikes final : public UnknownImpl<IEnumEventEx> {
public:
    FakeSpikes(std::vector<SpikeEvent> spikes, std::int32_t size) : spikes_(std::move(spikes)), size_(size) {}

    std::int32_t EventSize() override { return size_; }
    HRESULT Next(std::int32_t eventSize, std::int32_t endTick, void* records, std::uint32_t capacity,
                 std::uint32_t* count, std::int32_t* position) override
    {
        *count = 0;
        while (*count < capacity && next_ < spikes_.size() && (endTick < 0 || spikes_[next_].tick < endTick)) {
            std::memcpy(static_cast<char*>(records) + *count * eventSize, &spikes_[next_++], sizeof(SpikeEvent));
            ++*count;
        }
        const bool done = next_ == spikes_.size();
        *position = done ? INT_MAX : spikes_[next_].tick;
        return done ? S_FALSE : S_OK;
    }
    HRESULT Skip(std::int32_t tick, std::int32_t* position) override
    {
        skippedTo = tick;
        next_ = 0;
        while (next_ < spikes_.size() && spikes_[next_].tick < tick) {
            ++next_;
        }
        *position = next_ == spikes_.size() ? INT_MAX : spikes_[next_].tick;
        return S_OK;
    }

    std::int32_t skippedTo = -1;

private:
    std::vector<SpikeEvent> spikes_;
    std::int32_t size_;
    std::size_t next_ = 0;
};

class EventSource final : public UnknownImpl<ICalcSource> {
public:
    explicit EventSource(ComPtr<FakeSpikes> events) : events_(std::move(events)) {}

    std::int32_t Channel() override { return -1; }
    HRESULT SampleInterval(std::int32_t, double*) override { return E_NOTIMPL; }
    HRESULT OpenSamples(std::int32_t, std::int32_t, IEnumSamples**) override { return E_NOTIMPL; }
    HRESULT OpenEvents(std::int32_t, std::int32_t, std::int32_t, IEnumEventEx** events) override
    {
        *events = ComPtr<IEnumEventEx>(events_.Get()).Detach();
        return S_OK;
    }
    HRESULT FindChildData(std::uint32_t, IGrafoDataChildData**) override { return E_NOTIMPL; }

private:
    ComPtr<FakeSpikes> events_;
};

std::vector<SpikeEvent> SpikesOfUnits(const std::vector<std::int32_t>& units)
{
    std::vector<SpikeEvent> spikes;
    for (std::size_t i = 0; i < units.size(); ++i) {
        SpikeEvent spike;
        spike.tick = static_cast<std::int32_t>(10 * i);
        spike.value = static_cast<double>(i);
        spike.unit = units[i];
        spikes.push_back(spike);
    }
    return spikes;
}

ComPtr<Selector> OpenSelector(ComPtr<FakeSpikes> events, double unit)
{
    auto source = MakeCom<EventSource>(std::move(events));
    auto selector = ComPtr<Selector>::Attach(new Selector());
    ICalcSource* sources[] = {source.Get()};
    EXPECT_EQ(S_OK, selector->Setup(sources, 1, &unit, 1));
    EXPECT_EQ(S_OK, selector->Open(0, 0));
    return selector;
}

TEST(UnitSelector, KeepsTheUnitsSpikesAsGenericEvents)
{
    // 600 spikes, every third of unit 2: more than one fetch from the source.
    std::vector<std::int32_t> units;
    for (int i = 0; i < 600; ++i) {
        units.push_back(i % 3 == 1 ? 2 : i % 3 - 1);
    }
    auto selector = OpenSelector(MakeCom<FakeSpikes>(SpikesOfUnits(units), 48), 2);
    EXPECT_EQ(16, selector->EventSize());
    std::vector<Host::EventHeader> headers(1000);
    std::uint32_t count = 0;
    std::int32_t position = 0;
    EXPECT_EQ(S_FALSE, selector->Next(16, -1, headers.data(), 1000, &count, &position));
    ASSERT_EQ(200u, count);
    EXPECT_EQ(10, headers[0].tick);
    EXPECT_EQ(1.0, headers[0].value);
    EXPECT_EQ(5980, headers[199].tick);
    EXPECT_EQ(INT_MAX, position);
}

TEST(UnitSelector, AdvancesWithItsSourceWhenNothingMatches)
{
    auto events = MakeCom<FakeSpikes>(SpikesOfUnits({0, 1, 0, 1, -1}), 48);
    auto selector = OpenSelector(events, 5);
    Host::EventHeader headers[4];
    std::uint32_t count = 9;
    std::int32_t position = 0;
    EXPECT_EQ(S_OK, selector->Next(16, 25, headers, 4, &count, &position));
    EXPECT_EQ(0u, count);
    EXPECT_EQ(30, position);
    EXPECT_EQ(S_FALSE, selector->Next(16, -1, headers, 4, &count, &position));
    EXPECT_EQ(0u, count);
    EXPECT_EQ(INT_MAX, position);

    EXPECT_EQ(S_OK, selector->Skip(20, &position));
    EXPECT_EQ(20, events->skippedTo);
    EXPECT_EQ(20, position);
}

TEST(UnitSelector, RefusesSourcesWithoutUnits)
{
    auto source = MakeCom<EventSource>(MakeCom<FakeSpikes>(SpikesOfUnits({0}), 16));
    auto selector = ComPtr<Selector>::Attach(new Selector());
    ICalcSource* sources[] = {source.Get()};
    const double unit = 0;
    EXPECT_EQ(E_INVALIDARG, selector->Setup(sources, 1, &unit, 2));
    ASSERT_EQ(S_OK, selector->Setup(sources, 1, &unit, 1));
    EXPECT_EQ(E_FAIL, selector->Open(0, 0));
    Host::EventHeader header;
    std::uint32_t count = 0;
    std::int32_t position = 0;
    EXPECT_EQ(E_FAIL, selector->Next(16, -1, &header, 1, &count, &position));
}

} // namespace
} // namespace Nerolith::Enum
