#include "desk/recording/ChannelPicking.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstring>

namespace Desk {
namespace {

// A few hundred frames at a time: they stay in the first-level cache while
// every channel is picked out of them, and each run is written in order.
constexpr std::uint64_t kFramesAtOnce = 256;

// Neighbouring channels go a square tile at a time through SSE2 registers
// (every x86-64 processor has them): eight frames of eight 16-bit channels
// in eight loads and eight stores, or four of four 32-bit ones in four,
// where a sample at a time takes a load and a store for each sample.
template <std::size_t SampleBytes>
constexpr std::size_t kTile = 16 / SampleBytes;

__m128i Load(const std::byte* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); }
void Store(std::byte* at, __m128i value) { _mm_storeu_si128(reinterpret_cast<__m128i*>(at), value); }

void TransposeTile16(const std::byte* in, std::size_t inStride, std::byte* out, std::size_t outStride)
{
    __m128i r[8];
    for (std::size_t i = 0; i < 8; ++i) {
        r[i] = Load(in + i * inStride);
    }
    __m128i pairs[8];
    for (std::size_t i = 0; i < 4; ++i) {
        pairs[2 * i] = _mm_unpacklo_epi16(r[2 * i], r[2 * i + 1]);
        pairs[2 * i + 1] = _mm_unpackhi_epi16(r[2 * i], r[2 * i + 1]);
    }
    __m128i quads[8];
    for (std::size_t half = 0; half < 2; ++half) {
        const __m128i* p = pairs + 4 * half;
        quads[4 * half + 0] = _mm_unpacklo_epi32(p[0], p[2]);
        quads[4 * half + 1] = _mm_unpackhi_epi32(p[0], p[2]);
        quads[4 * half + 2] = _mm_unpacklo_epi32(p[1], p[3]);
        quads[4 * half + 3] = _mm_unpackhi_epi32(p[1], p[3]);
    }
    for (std::size_t i = 0; i < 4; ++i) {
        Store(out + (2 * i) * outStride, _mm_unpacklo_epi64(quads[i], quads[i + 4]));
        Store(out + (2 * i + 1) * outStride, _mm_unpackhi_epi64(quads[i], quads[i + 4]));
    }
}

void TransposeTile32(const std::byte* in, std::size_t inStride, std::byte* out, std::size_t outStride)
{
    const __m128i r0 = Load(in);
    const __m128i r1 = Load(in + inStride);
    const __m128i r2 = Load(in + 2 * inStride);
    const __m128i r3 = Load(in + 3 * inStride);
    const __m128i low01 = _mm_unpacklo_epi32(r0, r1);
    const __m128i high01 = _mm_unpackhi_epi32(r0, r1);
    const __m128i low23 = _mm_unpacklo_epi32(r2, r3);
    const __m128i high23 = _mm_unpackhi_epi32(r2, r3);
    Store(out, _mm_unpacklo_epi64(low01, low23));
    Store(out + outStride, _mm_unpackhi_epi64(low01, low23));
    Store(out + 2 * outStride, _mm_unpacklo_epi64(high01, high23));
    Store(out + 3 * outStride, _mm_unpackhi_epi64(high01, high23));
}

template <std::size_t SampleBytes>
void TransposeTile(const std::byte* in, std::size_t inStride, std::byte* out, std::size_t outStride)
{
    if constexpr (SampleBytes == 2) {
        TransposeTile16(in, inStride, out, outStride);
    } else {
        TransposeTile32(in, inStride, out, outStride);
    }
}

// Whether the slots from `slot` on hold a tile's worth of neighbouring
// channels, in order.
template <std::size_t SampleBytes>
bool NeighboursFrom(std::span<const std::int32_t> channels, std::size_t slot)
{
    if (slot + kTile<SampleBytes> > channels.size()) {
        return false;
    }
    for (std::size_t i = 1; i < kTile<SampleBytes>; ++i) {
        if (channels[slot + i] != channels[slot] + static_cast<std::int32_t>(i)) {
            return false;
        }
    }
    return true;
}

template <std::size_t SampleBytes>
void PickOne(const std::byte* sample, std::size_t frameBytes, std::uint64_t frames, std::byte* out)
{
    for (std::uint64_t i = 0; i < frames; ++i) {
        std::memcpy(out + i * SampleBytes, sample + i * frameBytes, SampleBytes);
    }
}

// Frames [first, first + frameCount) of the slots from `slot` on that a tile
// spans: whole tiles, then the frames left over one at a time.
template <std::size_t SampleBytes>
void PickTiles(const std::byte* frames, std::size_t frameBytes, std::int32_t channel, std::size_t slot,
               std::uint64_t count, std::uint64_t first, std::uint64_t frameCount, std::byte* runs)
{
    constexpr std::size_t tile = kTile<SampleBytes>;
    const std::size_t outStride = count * SampleBytes;
    const std::byte* in = frames + first * frameBytes + static_cast<std::size_t>(channel) * SampleBytes;
    std::byte* out = runs + (slot * count + first) * SampleBytes;
    std::uint64_t i = 0;
    for (; i + tile <= frameCount; i += tile) {
        TransposeTile<SampleBytes>(in + i * frameBytes, frameBytes, out + i * SampleBytes, outStride);
    }
    for (std::size_t lane = 0; lane < tile; ++lane) {
        PickOne<SampleBytes>(in + i * frameBytes + lane * SampleBytes, frameBytes, frameCount - i,
                             out + lane * outStride + i * SampleBytes);
    }
}

template <std::size_t SampleBytes>
void Pick(const std::byte* frames, std::size_t frameBytes, std::span<const std::int32_t> channels, std::uint64_t count,
          std::byte* runs)
{
    for (std::uint64_t first = 0; first < count; first += kFramesAtOnce) {
        const std::uint64_t frameCount = std::min(kFramesAtOnce, count - first);
        for (std::size_t slot = 0; slot < channels.size();) {
            if (NeighboursFrom<SampleBytes>(channels, slot)) {
                PickTiles<SampleBytes>(frames, frameBytes, channels[slot], slot, count, first, frameCount, runs);
                slot += kTile<SampleBytes>;
                continue;
            }
            PickOne<SampleBytes>(frames + first * frameBytes + static_cast<std::size_t>(channels[slot]) * SampleBytes,
                                 frameBytes, frameCount, runs + (slot * count + first) * SampleBytes);
            ++slot;
        }
    }
}

} // namespace

void PickChannels(const std::byte* frames, std::size_t frameBytes, std::size_t sampleBytes,
                  std::span<const std::int32_t> channels, std::uint64_t count, std::byte* runs)
{
    if (sampleBytes == 2) {
        Pick<2>(frames, frameBytes, channels, count, runs);
    } else {
        Pick<4>(frames, frameBytes, channels, count, runs);
    }
}

} // namespace Desk
