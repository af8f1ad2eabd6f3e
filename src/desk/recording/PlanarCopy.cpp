#include "desk/recording/PlanarCopy.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <functional>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

#include "desk/recording/ChannelPicking.h"
#include "platform/memory/HugePages.h"
#include "platform/memory/LargeBuffer.h"

namespace Desk {
namespace {

// The copy is laid out in segments: a segment holds a run of frames of
// every copied channel, one channel's samples after another's. Each copying
// thread reads a segment's frames from the file and writes the whole
// segment at once, while the memory the system has just cleared for it is
// still in the cache; a copy laid out channel after channel for the whole
// block would write to every channel's far-apart pages at once. At most
// this much of the file is read at a time, so the frames stay in the
// second-level cache while their channels are picked out.
constexpr std::uint64_t kSegmentBytes = 1 << 20;

PlanarCopy::Identity IdentityOf(const RecordingFile& file)
{
    struct stat info {};
    if (::fstat(file.Descriptor(), &info) != 0) {
        return {};
    }
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::uint64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

// A thread claims the pieces of a few huge pages of the copy at a time. Two
// threads writing into one huge page at once slow each other down, the
// page's lines passing between their caches: claimed a piece at a time,
// the picking took twice the processor time on two cores that it took on
// one.
constexpr std::uint64_t kClaimBytes = 4 * platform::kHugePageBytes;

struct Piece {
    std::size_t block = 0;
    std::uint64_t firstFrame = 0;
    std::uint64_t frames = 0;
};

std::vector<Piece> Pieces(const std::vector<RawBlock>& blocks, std::uint64_t segmentFrames)
{
    std::vector<Piece> pieces;
    for (std::size_t block = 0; block < blocks.size(); ++block) {
        const auto ticks = static_cast<std::uint64_t>(blocks[block].ticks);
        for (std::uint64_t first = 0; first < ticks; first += segmentFrames) {
            pieces.push_back({block, first, std::min(segmentFrames, ticks - first)});
        }
    }
    return pieces;
}

// Runs `work` on `threads` threads (this one among them) and rethrows the
// first error any of them met once all are done.
void RunOnThreads(const std::function<void()>& work, unsigned threads)
{
    std::vector<std::exception_ptr> errors(threads);
    const auto guarded = [&](unsigned index) {
        try {
            work();
        } catch (...) {
            errors[index] = std::current_exception();
        }
    };
    std::vector<std::jthread> helpers;
    for (unsigned index = 1; index < threads; ++index) {
        helpers.emplace_back(guarded, index);
    }
    guarded(0);
    helpers.clear();
    for (const std::exception_ptr& error : errors) {
        if (error) {
            std::rethrow_exception(error);
        }
    }
}

std::vector<std::shared_ptr<const PlanarCopy>>& Offered()
{
    static std::vector<std::shared_ptr<const PlanarCopy>> copies;
    return copies;
}

} // namespace

std::shared_ptr<const PlanarCopy> PlanarCopy::Make(const RawSidecar& sidecar, const RecordingFile& data,
                                                   const std::vector<std::int32_t>& channels, unsigned threads)
{
    if (sidecar.channels < 2 || channels.empty()) {
        return nullptr;
    }
    std::shared_ptr<PlanarCopy> copy(new PlanarCopy());
    copy->source_ = IdentityOf(data);
    copy->channels_ = sidecar.channels;
    copy->blocks_ = sidecar.blocks;
    copy->sampleBytes_ = static_cast<std::uint64_t>(sidecar.BytesPerSample());
    copy->slots_.assign(static_cast<std::size_t>(sidecar.channels), -1);
    for (std::size_t slot = 0; slot < channels.size(); ++slot) {
        copy->slots_.at(static_cast<std::size_t>(channels[slot])) = static_cast<std::int32_t>(slot);
    }
    copy->copied_ = channels.size();
    const std::uint64_t sampleBytes = copy->sampleBytes_;
    const std::size_t frameBytes = static_cast<std::size_t>(sidecar.channels) * sampleBytes;
    copy->segmentFrames_ = std::max<std::uint64_t>(1, kSegmentBytes / frameBytes);
    std::uint64_t bytes = 0;
    for (const RawBlock& block : sidecar.blocks) {
        copy->blockStart_.push_back(bytes);
        copy->blockTicks_.push_back(block.ticks);
        bytes += channels.size() * static_cast<std::uint64_t>(block.ticks) * sampleBytes;
    }
    if (bytes == 0 || bytes > MemoryAllowed()) {
        return nullptr;
    }
    // Private and anonymous, so processes forked later share its pages
    // without faulting them in again; in huge pages where the system gives
    // them: on the virtual machines measured, setting up each 4 KiB page
    // cost more than copying into it.
    copy->bytes_ = static_cast<std::byte*>(platform::MapHugePages(bytes));
    if (copy->bytes_ == nullptr) {
        return nullptr;
    }
    copy->size_ = bytes;

    const std::vector<Piece> pieces = Pieces(sidecar.blocks, copy->segmentFrames_);
    const auto claim = static_cast<std::size_t>(
        std::max<std::uint64_t>(1, kClaimBytes / (copy->segmentFrames_ * channels.size() * sampleBytes)));
    std::atomic<std::size_t> next{0};
    const auto copyPieces = [&] {
        // In one huge page, not 256 small ones each faulted in.
        const platform::LargeBuffer buffer(copy->segmentFrames_ * frameBytes);
        const std::span frames(static_cast<std::byte*>(buffer.Data()), buffer.Size());
        for (std::size_t first = next.fetch_add(claim); first < pieces.size(); first = next.fetch_add(claim)) {
            for (std::size_t index = first; index < std::min(pieces.size(), first + claim); ++index) {
                const Piece& piece = pieces[index];
                const std::uint64_t at = sidecar.blocks[piece.block].byteOffset + piece.firstFrame * frameBytes;
                data.ReadAt(at, frames.first(piece.frames * frameBytes));
                std::byte* segment =
                    copy->bytes_ + copy->blockStart_[piece.block] + piece.firstFrame * channels.size() * sampleBytes;
                PickChannels(frames.data(), frameBytes, sampleBytes, channels, piece.frames, segment);
            }
        }
    };
    RunOnThreads(copyPieces, std::max(1u, std::min<unsigned>(threads, static_cast<unsigned>(pieces.size()))));
    return copy;
}

PlanarCopy::~PlanarCopy()
{
    platform::UnmapHugePages(bytes_, size_);
}

std::uint64_t PlanarCopy::BytesPerChannel(const RawSidecar& sidecar)
{
    std::uint64_t ticks = 0;
    for (const RawBlock& block : sidecar.blocks) {
        ticks += static_cast<std::uint64_t>(block.ticks);
    }
    return ticks * static_cast<std::uint64_t>(sidecar.BytesPerSample());
}

std::uint64_t PlanarCopy::MemoryAllowed()
{
    const long pages = ::sysconf(_SC_AVPHYS_PAGES);
    const long pageBytes = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageBytes <= 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageBytes) / 2;
}

void PlanarCopy::Withdraw(const PlanarCopy* copy)
{
    std::erase_if(Offered(), [copy](const std::shared_ptr<const PlanarCopy>& offered) { return offered.get() == copy; });
}

void PlanarCopy::Offer(std::shared_ptr<const PlanarCopy> copy)
{
    if (copy) {
        Offered().push_back(std::move(copy));
    }
}

std::shared_ptr<const PlanarCopy> PlanarCopy::Find(const RawSidecar& sidecar, const RecordingFile& data)
{
    if (Offered().empty()) {
        return nullptr;
    }
    const Identity source = IdentityOf(data);
    for (const std::shared_ptr<const PlanarCopy>& copy : Offered()) {
        if (copy->Copies(sidecar, source)) {
            return copy;
        }
    }
    return nullptr;
}

// The same file, unchanged, read with the same layout.
bool PlanarCopy::Copies(const RawSidecar& sidecar, const Identity& source) const
{
    const auto sameBlock = [](const RawBlock& a, const RawBlock& b) {
        return a.ticks == b.ticks && a.byteOffset == b.byteOffset;
    };
    return source_ == source && source.inode != 0 && channels_ == sidecar.channels
        && sampleBytes_ == static_cast<std::uint64_t>(sidecar.BytesPerSample())
        && std::equal(blocks_.begin(), blocks_.end(), sidecar.blocks.begin(), sidecar.blocks.end(), sameBlock);
}

std::optional<PlanarCopy::Run> PlanarCopy::RunAt(std::int32_t channel, std::int32_t block, std::int64_t tick) const
{
    if (channel < 0 || channel >= channels_ || block < 0 || static_cast<std::size_t>(block) >= blockStart_.size()
        || slots_[static_cast<std::size_t>(channel)] < 0 || tick < 0 || tick >= blockTicks_[static_cast<std::size_t>(block)]) {
        return std::nullopt;
    }
    const auto slot = static_cast<std::uint64_t>(slots_[static_cast<std::size_t>(channel)]);
    const auto b = static_cast<std::size_t>(block);
    const auto at = static_cast<std::uint64_t>(tick);
    const std::uint64_t first = at - at % segmentFrames_;
    const std::uint64_t frames = std::min(segmentFrames_, static_cast<std::uint64_t>(blockTicks_[b]) - first);
    const std::uint64_t segment = blockStart_[b] + first * copied_ * sampleBytes_;
    return Run{segment + (slot * frames + at - first) * sampleBytes_, first + frames - at};
}

} // namespace Desk
