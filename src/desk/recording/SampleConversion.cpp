#include "desk/recording/SampleConversion.h"

#include <immintrin.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "desk/recording/ReadAhead.h"

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

// Samples in memory come from pages the processor has not read yet: at each
// new 4 KiB page of a mapped file its own prefetching stops and the page
// tables are walked, and the channel copy hands each channel's samples out
// in runs of a few dozen KiB. So the samples this far ahead are asked for
// while a block is converted, and the wait overlaps the work: a mapped
// int16 channel read again converted in half the time, and --channel all
// on one core took 7% less. A block of about 1 KiB keeps the converting
// loops long enough to vectorise.
constexpr std::size_t kBlockBytes = 1 << 10;

// Calls convert(from, count, to) block after block; from memory, asks for
// the samples ahead first, only those that are there: nothing past the
// last.
template <typename ConvertBlock>
void ConvertInBlocks(const std::byte* first, std::size_t stride, std::size_t count, float* out,
                     SampleSource source, ConvertBlock convert)
{
    if (source == SampleSource::Cached) {
        convert(first, count, out);
        return;
    }
    const std::size_t ahead = std::max<std::size_t>(1, kReadAheadBytes / stride);
    const std::size_t step = std::max<std::size_t>(1, kCacheLineBytes / stride); // a request a line
    const std::size_t block = std::max<std::size_t>(64, kBlockBytes / stride);
    for (std::size_t done = 0; done < count; done += block) {
        const std::size_t samples = std::min(block, count - done);
        const std::size_t askedTo = std::min(count, done + samples + ahead);
        for (std::size_t next = done + ahead; next < askedTo; next += step) {
            __builtin_prefetch(first + next * stride);
        }
        convert(first + done * stride, samples, out + done);
    }
}

} // namespace

void ConvertFloat32Samples(const std::byte* first, std::size_t stride, std::size_t count, double gain,
                           double offset, float* out, SampleSource source)
{
    ConvertInBlocks(first, stride, count, out, source, [=](const std::byte* from, std::size_t samples, float* to) {
        if (gain == 1.0 && offset == 0.0) {
            ConvertEach<float>(from, stride, samples, to, [](float stored) { return stored; });
            return;
        }
        ConvertEach<float>(from, stride, samples, to,
                           [=](float stored) { return static_cast<float>(stored * gain + offset); });
    });
}

namespace {

float ScaledInt16(std::int16_t stored, double gain, double offset)
{
    return static_cast<float>(stored * gain + offset);
}

// Widening to double takes most of the time: with AVX2 four samples go at
// once where SSE2 takes two. The same operations in the same order (no
// fused multiply-add: this file is built with -ffp-contract=off), so the
// values are bit for bit the same.
__attribute__((target_clones("avx2", "default"))) void ConvertInt16Each(const std::byte* first, std::size_t stride,
                                                                        std::size_t count, double gain, double offset,
                                                                        float* out)
{
    ConvertEach<std::int16_t>(first, stride, count, out,
                              [=](std::int16_t stored) { return ScaledInt16(stored, gain, offset); });
}

// Contiguous samples eight at a time in 512-bit registers, each widened
// straight to a 64-bit integer and converted to double in one step: a
// fifth faster than widening sixteen to 32 bits and splitting them, and
// twice the rate of the AVX2 loop, which the compiler keeps to 256 bits.
// Multiply, then add, then round to float, as above. (GCC 12's AVX-512
// headers start some conversions from an undefined register, which its
// flow analysis takes for an uninitialised read.)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
__attribute__((target("avx512f,avx512dq"))) void ConvertContiguousInt16Avx512(const std::byte* first,
                                                                              std::size_t count, double gain,
                                                                              double offset, float* out)
{
    static_assert(std::endian::native == std::endian::little);
    const __m512d gains = _mm512_set1_pd(gain);
    const __m512d offsets = _mm512_set1_pd(offset);
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m512i stored = _mm512_cvtepi16_epi64(_mm_loadu_si128(reinterpret_cast<const __m128i*>(first + 2 * i)));
        const __m512d value = _mm512_cvtepi64_pd(stored);
        _mm256_storeu_ps(out + i, _mm512_cvtpd_ps(_mm512_add_pd(_mm512_mul_pd(value, gains), offsets)));
    }
    for (; i < count; ++i) {
        out[i] = ScaledInt16(LittleEndian<std::int16_t>(first + 2 * i), gain, offset);
    }
}
#pragma GCC diagnostic pop

bool HasAvx512()
{
    static const bool has = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq");
    return has;
}

} // namespace

void ConvertInt16Samples(const std::byte* first, std::size_t stride, std::size_t count, double gain, double offset,
                         float* out, SampleSource source)
{
    const bool avx512 = stride == sizeof(std::int16_t) && HasAvx512();
    ConvertInBlocks(first, stride, count, out, source, [=](const std::byte* from, std::size_t samples, float* to) {
        if (avx512) {
            ConvertContiguousInt16Avx512(from, samples, gain, offset, to);
        } else {
            ConvertInt16Each(from, stride, samples, gain, offset, to);
        }
    });
}

} // namespace Desk
