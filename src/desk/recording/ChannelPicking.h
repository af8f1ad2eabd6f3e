#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace Desk {

// Picks channels out of `count` interleaved frames of `frameBytes` each into
// runs one channel's after another's: the sample of `channels[slot]` in
// frame i goes to place slot * count + i of `runs`. Samples are
// `sampleBytes` (2 or 4) wide and are moved as stored, byte for byte.
void PickChannels(const std::byte* frames, std::size_t frameBytes, std::size_t sampleBytes,
                  std::span<const std::int32_t> channels, std::uint64_t count, std::byte* runs);

} // namespace Desk
