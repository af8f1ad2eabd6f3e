#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "desk/recording/Recording.h"

namespace Desk {

enum class RawSampleType { Float32, Int16 };

struct RawBlock {
    std::int32_t ticks = 0;
    double startTime = 0;         // seconds
    std::uint64_t byteOffset = 0; // of its first sample in the data file
};

// What a raw recording's JSON sidecar says about its data file:
//   "file"            the data file, relative to the sidecar's folder
//   "dtype"           "float32" or "int16", little-endian
//   "channels"        1 to 16384
//   "sample_rate"     Hz, 0.001 to 1e8
//   "gain", "offset"  optional, per channel (or one number for all):
//                     value = raw * gain + offset
//   "channel_titles", "channel_units"  optional, one string per channel
//   "blocks"          optional: [{"ticks": n, "start_time": s}, ...], samples
//                     interleaved by channel, blocks one after another; a
//                     missing start_time follows on from the block before;
//                     absent: one block holding the whole file
//   "events"          optional: [{"name": ..., "events": [[block, tick], ...]}]
//                     with 0-based blocks and ticks
// Keys it does not know, and bytes after the last block, are ignored.
struct RawSidecar {
    std::filesystem::path dataFile;
    RawSampleType type = RawSampleType::Float32;
    std::int32_t channels = 0;
    double sampleRate = 0;
    std::vector<double> gain;
    std::vector<double> offset;
    std::vector<VEX::String> titles;
    std::vector<VEX::String> units;
    std::vector<RawBlock> blocks;
    std::vector<RecordedEvents> events;

    int BytesPerSample() const { return type == RawSampleType::Float32 ? 4 : 2; }
};

// Reads the sidecar's text and checks it against itself. Events are not yet
// checked against the blocks, which may depend on the data file's size.
// Throws RecordingError naming `sidecarPath` and the fault.
RawSidecar ParseRawSidecar(std::string_view json, const std::string& sidecarPath);

// Makes the one whole-file block when the sidecar gives none, then checks
// that the data file holds every block and that every event lies in one.
void FitRawSidecarToData(RawSidecar& sidecar, std::uint64_t dataFileSize, const std::string& sidecarPath);

} // namespace Desk
