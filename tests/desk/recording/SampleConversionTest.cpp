#include "desk/recording/SampleConversion.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

namespace {

// What the conversion promises: the raw value times the gain plus the
// offset, in double, rounded once to float.
float Expected(std::int16_t stored, double gain, double offset)
{
    return static_cast<float>(stored * gain + offset);
}

// Every int16 value, `channels` interleaved copies of it (channel c holds
// the value shifted by c), stored little-endian.
std::vector<std::byte> EveryValue(std::size_t channels)
{
    std::vector<std::byte> bytes(65536 * channels * 2);
    for (std::size_t i = 0; i < 65536; ++i) {
        for (std::size_t c = 0; c < channels; ++c) {
            const auto value = static_cast<std::uint16_t>(i + c);
            bytes[(i * channels + c) * 2] = static_cast<std::byte>(value & 0xFF);
            bytes[(i * channels + c) * 2 + 1] = static_cast<std::byte>(value >> 8);
        }
    }
    return bytes;
}

// The vector loops must give the scalar formula's bits for every sample:
// these gains and offsets round differently when multiply and add are
// fused. Counts that are no multiple of the vector width or of the blocks
// memory is read ahead in, and a start that is not aligned, reach the
// loops' tails.
TEST(SampleConversion, Int16GivesTheFormulasBitsContiguousAndInterleaved)
{
    using Desk::SampleSource;
    const double gains[] = {0.195, 1e-7, 3.3333333333333, -0.01, 1.0 / 3.0};
    const double offsets[] = {-3.5, 0.0, 1e-9, 12345.678, 0.1};
    for (const std::size_t channels : {1u, 3u}) {
        const std::vector<std::byte> bytes = EveryValue(channels);
        const std::size_t stride = channels * 2;
        for (const auto& [skip, source] : {std::pair{0u, SampleSource::Cached}, std::pair{1u, SampleSource::Cached},
                                          std::pair{0u, SampleSource::Memory}, std::pair{1u, SampleSource::Memory}}) {
            const std::size_t count = 65536 - skip - 5;
            std::vector<float> converted(count);
            for (const double gain : gains) {
                for (const double offset : offsets) {
                    std::fill(converted.begin(), converted.end(), -1.0f);
                    Desk::ConvertInt16Samples(bytes.data() + skip * stride + 2, stride, count, gain, offset,
                                              converted.data(), source);
                    std::size_t wrong = 0;
                    for (std::size_t i = 0; i < count; ++i) {
                        const auto stored = static_cast<std::int16_t>(static_cast<std::uint16_t>(skip + i + 1));
                        const float expected = Expected(stored, gain, offset);
                        wrong += std::memcmp(&converted[i], &expected, sizeof(float)) != 0;
                    }
                    EXPECT_EQ(wrong, 0u) << channels << " channel(s), gain " << gain << ", offset " << offset
                                         << (source == SampleSource::Memory ? ", read ahead" : "");
                }
            }
        }
    }
}

} // namespace
