#include "desk/recording/ContentHash.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "desk/recording/RecordingFile.h"

namespace Desk {
namespace {

constexpr std::uint64_t kMultiplier = 0xFF51AFD7ED558CCDULL;
constexpr std::size_t kWholeFileLimit = 64u << 20;
constexpr std::size_t kEdgeBytes = 1u << 20;
constexpr std::size_t kPageBytes = 4096;
constexpr std::size_t kSampledPages = 64;
constexpr std::uint64_t kPieceBytes = 1u << 20; // a multiple of 8

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
    const std::size_t whole = bytes.size() / 8 * 8;
    AddWords(bytes.first(whole));
    std::uint64_t tail = 0;
    if (whole < bytes.size()) {
        std::memcpy(&tail, bytes.data() + whole, bytes.size() - whole);
    }
    Add(tail);
}

void ContentHash::AddWords(std::span<const std::byte> bytes)
{
    for (std::size_t i = 0; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + i, 8);
        state_ = (state_ ^ word) * kMultiplier;
        state_ ^= state_ >> 29;
    }
}

void ContentHash::AddRange(const RecordingFile& file, std::uint64_t offset, std::uint64_t length)
{
    Add(length);
    std::vector<std::byte> piece(static_cast<std::size_t>(std::min<std::uint64_t>(length, kPieceBytes)));
    std::uint64_t done = 0;
    while (length - done >= 8) {
        const auto count = static_cast<std::size_t>(std::min<std::uint64_t>((length - done) / 8 * 8, kPieceBytes));
        file.ReadAt(offset + done, std::span(piece).first(count));
        AddWords(std::span(piece).first(count));
        done += count;
    }
    std::uint64_t tail = 0;
    if (const auto rest = static_cast<std::size_t>(length - done); rest > 0) {
        file.ReadAt(offset + done, std::span(piece).first(rest));
        std::memcpy(&tail, piece.data(), rest);
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

void ContentHash::AddFileContents(const RecordingFile& file)
{
    const std::uint64_t size = file.Size();
    if (size <= kWholeFileLimit) {
        AddRange(file, 0, size);
        return;
    }
    Add(size);
    AddRange(file, 0, kEdgeBytes);
    AddRange(file, size - kEdgeBytes, kEdgeBytes);
    const std::uint64_t stride = (size - kPageBytes) / (kSampledPages - 1);
    for (std::uint64_t page = 0; page < kSampledPages; ++page) {
        AddRange(file, std::min(page * stride, size - kPageBytes), kPageBytes);
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
