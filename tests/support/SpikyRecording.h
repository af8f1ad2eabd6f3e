#pragma once

#include <memory>
#include <vector>

#include "support/MemoryRecording.h"

namespace TestSupport {

inline constexpr double kSpikyInterval = 1e-4; // 10 kHz: the default window is 40 ticks

// Two channels of `ticks` samples per block at 10 kHz. Channel 0 carries a
// positive spike of height 1 at each tick listed for its block; channel 1
// stays flat.
inline std::unique_ptr<MemoryRecording> SpikyRecording(const std::vector<std::vector<int>>& spikeTicks,
                                                       int ticks = 10000)
{
    static constexpr float kShape[] = {0.25f, 0.6f, 1.0f, 0.6f, 0.25f};
    std::vector<std::vector<std::vector<float>>> samples;
    for (const std::vector<int>& block : spikeTicks) {
        std::vector<float> spiky(static_cast<std::size_t>(ticks), 0.0f);
        for (const int tick : block) {
            for (int k = 0; k < 5; ++k) {
                spiky.at(static_cast<std::size_t>(tick - 2 + k)) = kShape[k];
            }
        }
        samples.push_back({spiky, std::vector<float>(static_cast<std::size_t>(ticks), 0.0f)});
    }
    return std::make_unique<MemoryRecording>(std::move(samples), kSpikyInterval);
}

} // namespace TestSupport
