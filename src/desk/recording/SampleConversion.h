#pragma once

#include <cstddef>

namespace Desk {

// Where the samples to convert are: in a buffer just filled, so in the
// cache, or in memory the processor has not read yet (a mapped file, the
// channel copy), which is asked for a few pages ahead while it converts.
enum class SampleSource { Cached, Memory };

// Converts `count` little-endian samples read from frames `stride` bytes
// apart to float32 channel units (value = raw x gain + offset, worked out in
// double). Stored float32 values with gain 1 and offset 0 pass bit for bit.
// Loops over plain arrays without calls, so the compiler vectorises them
// where the samples are contiguous.
void ConvertFloat32Samples(const std::byte* first, std::size_t stride, std::size_t count, double gain,
                           double offset, float* out, SampleSource source);
void ConvertInt16Samples(const std::byte* first, std::size_t stride, std::size_t count, double gain,
                         double offset, float* out, SampleSource source);

} // namespace Desk
