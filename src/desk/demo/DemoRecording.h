#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "desk/recording/Recording.h"

namespace Desk {

// The built-in demo recording: a synthetic extracellular recording made by
// our own generator, the same on every machine (see DemoBlock.h).
//
// 3 blocks of 60 s at 20 kHz starting at 0, 70 and 140 s. Channel 0
// "Electrode" (mV) carries three units and a background population over
// band-limited noise (SD 0.03 mV); channel 1 "Stimulus" (V) carries 1 ms
// TTL pulses of 5 V about once a second, also offered as the event source
// "Stimulus" (the pulse onsets).
//   unit 1 (A): tall narrow spike, peak ~1.2 mV, ~8 Hz irregular
//   unit 2 (B): wider spike, peak ~0.8 mV, bursts of 3-5 spikes 3-6 ms
//               apart every 0.5-1 s
//   unit 3 (C): peak ~0.5 mV, fires ~10 ms after most stimulus pulses,
//               plus sparse background firing (~1 Hz)
//   unit 4:     background population, peaks ~0.1 mV (below a 0.2 threshold)
// Spikes are positive-going (peak, then a smaller trough). None of units
// 1-3 fires twice within 2 ms, and their spikes keep 3 ms from spikes of
// any other unit, so every one of them stands clear above a 0.2 mV
// threshold.
inline constexpr std::int32_t kDemoBlocks = 3;
inline constexpr double kDemoSampleRate = 20000;
inline constexpr std::int32_t kDemoBlockTicks = 60 * 20000;
inline constexpr double kDemoBlockSpacing = 70; // seconds from one block start to the next

// One spike of the ground truth. `tick` is the sample where the spike's own
// waveform (before noise) is largest: its positive peak.
struct TruthSpike {
    std::int32_t unit = 0;  // 1-3 for units A-C, 4 for the background population
    std::int32_t block = 0; // 0-based
    std::int32_t tick = 0;

    friend bool operator==(const TruthSpike&, const TruthSpike&) = default;
};

// Generates the demo (Source() "demo"); well under a second.
std::unique_ptr<Recording> MakeDemoRecording();

// Every spike of every unit, ordered by block, then tick.
std::vector<TruthSpike> DemoGroundTruth();

// Writes demo.json and demo.f32 (the raw format with a sidecar, float32,
// with the stimulus events) and demo.truth.tsv ("unit<TAB>block<TAB>tick"),
// creating the folder. Reading demo.json back gives exactly the demo's
// samples. Throws std::runtime_error naming the file that cannot be written.
void WriteDemo(const std::filesystem::path& folder);

} // namespace Desk
