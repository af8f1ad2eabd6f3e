#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "desk/recording/Recording.h"

namespace Desk {

class PlanarCopy;

// Before analysing several channels of a recording one at a time: where its
// channels are interleaved in a raw file, copies some of them into memory
// channel by channel and offers the copy to the recordings opened from then
// on, in this process and in those it forks (see PlanarCopy), until the
// offer goes. Other recordings read one channel without the others already.
class ChannelCopyOffer {
public:
    ChannelCopyOffer(const Recording& recording, const std::vector<std::int32_t>& channels, unsigned threads);
    ~ChannelCopyOffer();
    ChannelCopyOffer(const ChannelCopyOffer&) = delete;
    ChannelCopyOffer& operator=(const ChannelCopyOffer&) = delete;

    // False when nothing was copied: the recording is not one that is, or
    // the copy did not fit.
    bool Made() const { return copy_ != nullptr; }

private:
    std::shared_ptr<const PlanarCopy> copy_;
};

// How many channels of `recording` one offer may copy: as many as fit in
// half the memory free now, and in NEROLITH_COPY_MEMORY_MB MiB when that is
// set; none where the recording is not one that is copied. Throws
// std::runtime_error when NEROLITH_COPY_MEMORY_MB is not a whole number.
std::size_t ChannelsToCopyAtOnce(const Recording& recording);

} // namespace Desk
