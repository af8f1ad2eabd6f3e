#include "desk/recording/ContentHash.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace Desk {
namespace {

constexpr std::uint64_t kMultiplier = 0xFF51AFD7ED558CCDULL;
constexpr std::size_t kWholeFileLimit = 64u << 20;
constexpr std::size_t kEdgeBytes = 1u << 20;
constexpr std::size_t kPageBytes = 4096;
constexpr std::size_t kSampledPages = 64;

std::uint64_t Mix(std::uint64_t x)
{
    x ^= x >> 33;
    x *= kMultiplier;
    x ^= x >> 33;
    x *= 0xC4CEB9FE1A85EC53ULL;
    x ^= x >> 33;
    return x;
}

} // namespace

void ContentHash::Add(std::span<const std::byte> bytes)
{
    Add(static_cast<std::uint64_t>(bytes.size()));
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + i, 8);
        state_ = (state_ ^ word) * kMultiplier;
        state_ ^= state_ >> 29;
    }
    std::uint64_t tail = 0;
    if (i < bytes.size()) {
        std::memcpy(&tail, bytes.data() + i, bytes.size() - i);
    }
    Add(tail);
}

void ContentHash::Add(std::string_view text)
{
    Add(std::as_bytes(std::span(text.data(), text.size())));
}

void ContentHash::Add(std::uint64_t value)
{
    state_ = Mix(state_ ^ value) + kMultiplier;
}

void ContentHash::AddFileContents(std::span<const std::byte> bytes)
{
    if (bytes.size() <= kWholeFileLimit) {
        Add(bytes);
        return;
    }
    Add(static_cast<std::uint64_t>(bytes.size()));
    Add(bytes.first(kEdgeBytes));
    Add(bytes.last(kEdgeBytes));
    const std::size_t stride = (bytes.size() - kPageBytes) / (kSampledPages - 1);
    for (std::size_t page = 0; page < kSampledPages; ++page) {
        const std::size_t offset = std::min(page * stride, bytes.size() - kPageBytes);
        Add(bytes.subspan(offset, kPageBytes));
    }
}

std::uint64_t ContentHash::Value() const { return Mix(state_); }

std::string ContentHash::Fingerprint(std::string_view kind) const
{
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(Value()));
    return std::string(kind) + ":" + digits;
}

} // namespace Desk
