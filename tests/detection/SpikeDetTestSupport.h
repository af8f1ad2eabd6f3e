#pragma once

#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "detection/DetEx_Enumerator.h"
#include "support/SpikeDetTestSource.h"

namespace Nerolith::Testing {

// SpikeDet's arguments after the source, with small windows at 1 ms.
struct DetectorArgs {
    double height = 0.5;
    double pretrigger = 0.002;
    double total = 0.005;
    double channel = 0;
    double discrimination = 0;
    double signal = 0;
    double startRecord = -1;
    double startTick = -1;
    double endRecord = -1;
    double endTick = -1;

    std::array<double, 10> Numbers() const
    {
        return {height, pretrigger, total, channel, discrimination, signal, startRecord, startTick, endRecord, endTick};
    }
};

inline ComPtr<SpikeDetEnumerator> OpenDetector(TestSource& source, const DetectorArgs& args, std::int32_t record = 0,
                                               std::int32_t firstTick = 0)
{
    auto detector = ComPtr<SpikeDetEnumerator>::Attach(new SpikeDetEnumerator());
    ICalcSource* sources[] = {&source};
    const auto numbers = args.Numbers();
    EXPECT_EQ(S_OK, detector->Setup(sources, 1, numbers.data(), 10));
    EXPECT_EQ(S_OK, detector->Open(record, firstTick));
    return detector;
}

// Pulls events until the record is exhausted or nothing more comes now.
inline std::vector<SpikeEvent> Drain(SpikeDetEnumerator& detector, std::uint32_t capacity = 64)
{
    std::vector<SpikeEvent> spikes;
    std::vector<SpikeEvent> buffer(capacity);
    for (;;) {
        std::uint32_t count = 0;
        std::int32_t position = 0;
        const HRESULT hr = detector.Next(48, -1, buffer.data(), capacity, &count, &position);
        EXPECT_TRUE(hr == S_OK || hr == S_FALSE);
        spikes.insert(spikes.end(), buffer.begin(), buffer.begin() + count);
        if (hr != S_OK || count == 0) {
            return spikes;
        }
    }
}

inline std::vector<SpikeEvent> DetectAll(TestSource& source, const DetectorArgs& args, std::int32_t record = 0,
                                         std::int32_t firstTick = 0)
{
    return Drain(*OpenDetector(source, args, record, firstTick));
}

inline std::vector<std::int32_t> Ticks(const std::vector<SpikeEvent>& spikes)
{
    std::vector<std::int32_t> ticks;
    for (const SpikeEvent& spike : spikes) {
        ticks.push_back(spike.tick);
    }
    return ticks;
}

} // namespace Nerolith::Testing
