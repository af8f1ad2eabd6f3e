#include <algorithm>
#include <climits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "SpikeDetTestSupport.h"

namespace Nerolith::Testing {
namespace {

// A long record (several 100,000-tick segments) with a spike every few
// hundred ticks, one of them triggered on the last tick of segment 0.
std::vector<float> LongRecord()
{
    std::vector<float> x(430000, 0.0f);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> gap(3, 700);
    for (std::size_t t = 50; t + 3 < x.size(); t += gap(random)) {
        x[t] = 1.0f;
    }
    std::fill(x.begin() + 99990, x.begin() + 100010, 0.0f);
    x[99999] = 1.0f;
    return x;
}

std::vector<std::int32_t> From(const std::vector<std::int32_t>& ticks, std::int32_t first)
{
    std::vector<std::int32_t> tail;
    std::copy_if(ticks.begin(), ticks.end(), std::back_inserter(tail), [&](std::int32_t t) { return t >= first; });
    return tail;
}

TEST(SpikeDetEnumerator, SeekingGivesTheSpikesOfOneContinuousScan)
{
    auto sourceObject = MakeCom<TestSource>();
    TestSource& source = *sourceObject;
    auto record = source.AddRecord(LongRecord());
    auto detector = OpenDetector(source, {});
    const auto all = Ticks(Drain(*detector));
    ASSERT_GT(all.size(), 1000u);
    ASSERT_EQ(1, std::count(all.begin(), all.end(), 99999));

    for (std::int32_t target : {350123, 100000, 99999, 250000, 5, 429999}) {
        std::int32_t position = 0;
        const HRESULT hr = detector->Skip(target, &position);
        const auto expected = From(all, target);
        EXPECT_EQ(expected.empty() ? S_FALSE : S_OK, hr);
        EXPECT_EQ(expected.empty() ? INT_MAX : expected.front(), position);
        EXPECT_EQ(expected, Ticks(Drain(*detector))) << "from " << target;
        // Restarted from a saved segment end, not from the record's start.
        if (target >= 200000) {
            EXPECT_GE(record->openedAt.back(), target - 2 * 100000 - 10);
            EXPECT_LE(record->openedAt.back(), target);
        }
    }

    // A new enumerator opened in the middle agrees as well.
    EXPECT_EQ(From(all, 123456), Ticks(DetectAll(source, {}, 0, 123456)));
}

TEST(SpikeDetEnumerator, GrowingRecordResumesWhereItStopped)
{
    auto sourceObject = MakeCom<TestSource>();
    TestSource& source = *sourceObject;
    const std::vector<float> x = LongRecord();
    source.AddRecord(x);
    const auto expected = Ticks(DetectAll(source, {}));

    auto growingObject = MakeCom<TestSource>();
    TestSource& growing = *growingObject;
    auto record = growing.AddRecord(x);
    record->available = 0;
    record->complete = false;
    record->chunk = 5000;
    auto detector = OpenDetector(growing, {});
    std::mt19937 random(3);
    std::uniform_int_distribution<std::size_t> arrival(1, 30000);
    std::vector<std::int32_t> found;
    int waits = 0;
    for (int calls = 0; calls < 100000; ++calls) {
        SpikeEvent buffer[16];
        std::uint32_t count = 0;
        std::int32_t position = 0;
        const HRESULT hr = detector->Next(48, -1, buffer, 16, &count, &position);
        for (std::uint32_t i = 0; i < count; ++i) {
            found.push_back(buffer[i].tick);
        }
        if (hr == S_FALSE) {
            break;
        }
        ASSERT_EQ(S_OK, hr);
        ASSERT_LE(position, static_cast<std::int32_t>(record->available));
        if (count == 0) {
            ++waits;
            record->available = std::min(x.size(), record->available + arrival(random));
            record->complete = record->available == x.size();
        }
    }
    EXPECT_GT(waits, 10);
    EXPECT_EQ(expected, found);
}

TEST(SpikeDetEnumerator, NextHonoursCapacityEndTickAndStride)
{
    auto sourceObject = MakeCom<TestSource>();
    TestSource& source = *sourceObject;
    source.AddRecord(LongRecord());
    const auto all = Ticks(DetectAll(source, {}));

    auto one = OpenDetector(source, {});
    EXPECT_EQ(all, Ticks(Drain(*one, 1)));

    auto detector = OpenDetector(source, {});
    SpikeEvent buffer[4096];
    std::uint32_t count = 0;
    std::int32_t position = 0;
    ASSERT_EQ(S_OK, detector->Next(48, 150000, buffer, 4096, &count, &position));
    const auto split = std::lower_bound(all.begin(), all.end(), 150000);
    ASSERT_EQ(static_cast<std::size_t>(split - all.begin()), count);
    EXPECT_EQ(150000, position);
    // The spike found past the end tick is the first of the next call.
    ASSERT_EQ(S_OK, detector->Next(48, -1, buffer, 1, &count, &position));
    EXPECT_EQ(*split, buffer[0].tick);

    // A wider stride spaces records out; a generic stride gets headers.
    struct Wide {
        SpikeEvent spike;
        std::uint64_t guard;
    } wide[2]{};
    wide[0].guard = wide[1].guard = 0xABCDu;
    ASSERT_EQ(S_OK, detector->Next(sizeof(Wide), -1, wide, 2, &count, &position));
    EXPECT_EQ(*(split + 1), wide[0].spike.tick);
    EXPECT_EQ(*(split + 2), wide[1].spike.tick);
    EXPECT_EQ(0xABCDu, wide[0].guard);
    Host::EventHeader headers[2]{};
    ASSERT_EQ(S_OK, detector->Next(16, -1, headers, 2, &count, &position));
    EXPECT_EQ(*(split + 3), headers[0].tick);
    EXPECT_EQ(*(split + 4), headers[1].tick);
    EXPECT_EQ(E_INVALIDARG, detector->Next(8, -1, headers, 2, &count, &position));

    auto unopened = ComPtr<SpikeDetEnumerator>::Attach(new SpikeDetEnumerator());
    EXPECT_EQ(E_FAIL, unopened->Next(48, -1, buffer, 1, &count, &position));
    ICalcSource* sources[] = {&source};
    const double numbers[10]{};
    EXPECT_EQ(E_INVALIDARG, unopened->Setup(sources, 1, numbers, 9));
    EXPECT_EQ(48, unopened->EventSize());
}

} // namespace
} // namespace Nerolith::Testing
