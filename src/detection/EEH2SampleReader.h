#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "host/ICalcSource.h"
#include "host/IEnumSampleSpans.h"
#include "platform/com/ComPtr.h"
#include "platform/memory/LargeBuffer.h"

namespace EEH2 {

// Reads one record's samples from the host in bulk and lets an algorithm
// scan them in place: one host call per chunk instead of one per sample.
// Where the host lends its samples in place they are scanned there, not
// copied; otherwise they are copied into a buffer of its own.
class SampleReader {
public:
    // 512 KiB of samples: a host that copies them pays a system call per
    // chunk, small against scanning this many, and the chunk still fits a
    // core's second-level cache while it is scanned.
    static constexpr std::uint32_t kChunkSamples = 131072;

    SampleReader();

    // Starts reading `record` at `tick`; no sample at or past `endTick` is
    // delivered (the end of the scanned range).
    HRESULT Open(ICalcSource* source, std::int32_t record, std::int32_t tick, std::int32_t endTick);
    void Close();

    // Makes samples available; false when there are none now: either none
    // have arrived yet (the record is still being sampled) or Finished().
    bool Fill();
    std::span<const float> Available() const { return {chunk_ + begin_, end_ - begin_}; }
    void Consume(std::size_t count);
    // Tick of Available()[0].
    std::int32_t Tick() const { return tick_; }

    // No sample of the range will come any more.
    bool Finished() const { return ended_ && begin_ == end_; }
    // The host's enumerator reported an error (the range ends there).
    bool SourceFailed() const { return failed_; }

private:
    // Fetches the next chunk into chunk_; the host's answer.
    HRESULT Fetch(std::uint32_t wanted, std::uint32_t& fetched);
    // Lets the host confirm the last lent chunk was all there; the range
    // fails when it was not.
    void ConfirmLent();
    void Release();

    ComPtr<IEnumSamples> samples_;
    ComPtr<IEnumSampleSpans> spans_; // null once the host declines to lend
    bool lentLast_ = false;
    platform::LargeBuffer buffer_;
    const float* chunk_ = nullptr;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    std::int32_t tick_ = 0;
    std::int32_t endTick_ = 0;
    bool ended_ = true;
    bool failed_ = false;
};

} // namespace EEH2
