#include "desk/recording/SampleConversion.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace Desk {
namespace {

template <typename T>
T LittleEndian(const std::byte* bytes)
{
    using Bits = std::conditional_t<sizeof(T) == 2, std::uint16_t, std::uint32_t>;
    Bits bits = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&bits, bytes, sizeof bits);
    } else {
        for (std::size_t i = 0; i < sizeof bits; ++i) {
            bits |= static_cast<Bits>(static_cast<Bits>(bytes[i]) << (8 * i));
        }
    }
    return std::bit_cast<T>(bits);
}

// The loop with a stride the compiler knows (contiguous samples), so that it
// vectorises, and the general one for interleaved channels.
template <typename T, typename Value>
void ConvertEach(const std::byte* first, std::size_t stride, std::size_t count, float* out, Value value)
{
    if (stride == sizeof(T)) {
        for (std::size_t i = 0; i < count; ++i) {
            out[i] = value(LittleEndian<T>(first + i * sizeof(T)));
        }
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = value(LittleEndian<T>(first + i * stride));
    }
}

} // namespace

void ConvertFloat32Samples(const std::byte* first, std::size_t stride, std::size_t count, double gain,
                           double offset, float* out)
{
    if (gain == 1.0 && offset == 0.0) {
        ConvertEach<float>(first, stride, count, out, [](float stored) { return stored; });
        return;
    }
    ConvertEach<float>(first, stride, count, out,
                       [=](float stored) { return static_cast<float>(stored * gain + offset); });
}

// Widening to double takes most of the time: with AVX2 four samples go at
// once where SSE2 takes two. The same operations in the same order (no
// fused multiply-add), so the values are bit for bit the same.
__attribute__((target_clones("avx2", "default"))) void ConvertInt16Samples(const std::byte* first, std::size_t stride,
                                                                           std::size_t count, double gain,
                                                                           double offset, float* out)
{
    ConvertEach<std::int16_t>(first, stride, count, out,
                              [=](std::int16_t stored) { return static_cast<float>(stored * gain + offset); });
}

} // namespace Desk
