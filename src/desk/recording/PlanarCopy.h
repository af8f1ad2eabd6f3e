#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "desk/recording/RawSidecar.h"
#include "desk/recording/RecordingFile.h"

namespace Desk {

// Some channels of a raw recording whose channels are interleaved, copied
// into memory a channel's run of samples after another's. Reading a channel
// from the recording reads every channel's samples with it; from the copy,
// only its own. Analysing each channel of a many-channel recording in turn
// otherwise reads the whole file once per channel, and that traffic, not
// the analysis, sets the pace however many cores work on it.
//
// A copy is offered to the process: every RawRecording opened afterwards on
// the same unchanged data file, here or in a child process forked later,
// reads the copied channels from it. The samples are copied as stored, so
// what is read from the copy is bit for bit what the file gives. A copy is
// a snapshot: a change to the file after it was made is not seen through
// the recordings that read from it.
class PlanarCopy {
public:
    // Copies `channels` (numbers from 0, each once) of `data`, laid out as
    // `sidecar` says, with up to `threads` threads. Null when the copy would
    // take more than half the memory free now, or the system declines to
    // make one. Throws RecordingError as reading `data` does.
    static std::shared_ptr<const PlanarCopy> Make(const RawSidecar& sidecar, const RecordingFile& data,
                                                  const std::vector<std::int32_t>& channels, unsigned threads);

    // The bytes one channel of a recording laid out as `sidecar` says takes
    // in a copy, and the most a copy may take: half the memory free now.
    static std::uint64_t BytesPerChannel(const RawSidecar& sidecar);
    static std::uint64_t MemoryAllowed();

    // Offers `copy` to the RawRecordings opened from now on, until it is
    // withdrawn; its memory goes once no recording reads from it either.
    static void Offer(std::shared_ptr<const PlanarCopy> copy);
    static void Withdraw(const PlanarCopy* copy);
    // The copy offered of the file `data` has open, laid out as `sidecar`
    // says, if the file has not changed since it was copied.
    static std::shared_ptr<const PlanarCopy> Find(const RawSidecar& sidecar, const RecordingFile& data);

    ~PlanarCopy();
    PlanarCopy(const PlanarCopy&) = delete;
    PlanarCopy& operator=(const PlanarCopy&) = delete;

    // Where a channel's sample at a tick of a block is in Bytes(), and how
    // many of its samples follow there in order, that one included; none
    // when the channel was not copied or the tick is outside the block.
    struct Run {
        std::uint64_t offset = 0;
        std::uint64_t samples = 0;
    };
    std::optional<Run> RunAt(std::int32_t channel, std::int32_t block, std::int64_t tick) const;
    bool CopiesEveryChannel() const { return copied_ == static_cast<std::uint64_t>(channels_); }
    std::span<const std::byte> Bytes() const { return {bytes_, size_}; }

    // What tells one state of a file from another: device, inode, size and
    // modification time.
    struct Identity {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::uint64_t size = 0;
        std::int64_t modifiedNs = 0;
        bool operator==(const Identity&) const = default;
    };

private:
    PlanarCopy() = default;

    bool Copies(const RawSidecar& sidecar, const Identity& source) const;

    Identity source_;
    std::int32_t channels_ = 0;
    std::vector<RawBlock> blocks_; // as the recording's sidecar has them
    std::vector<std::int32_t> slots_;       // per channel of the recording: its place in the copy, or -1
    std::vector<std::uint64_t> blockStart_; // byte offset of each block in the copy
    std::vector<std::int64_t> blockTicks_;
    std::uint64_t sampleBytes_ = 0;
    std::uint64_t copied_ = 0;        // channels in the copy
    std::uint64_t segmentFrames_ = 1; // frames in each full segment
    std::byte* bytes_ = nullptr;
    std::uint64_t size_ = 0;
};

} // namespace Desk
