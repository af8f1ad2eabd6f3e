#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "desk/recording/Recording.h"

namespace Desk {

// Opens a raw sidecar (.json), an EDF/EDF+/BDF file, or "demo".
std::unique_ptr<Recording> OpenRecording(const std::string& source);

// Before analysing several channels of `recording` one at a time: where its
// channels are interleaved in a raw file, copies `channels` into memory
// channel by channel and offers the copy to the recordings opened from then
// on, in this process and in those it forks (see PlanarCopy). Other
// recordings read one channel without the others already.
void OfferChannelCopy(const Recording& recording, const std::vector<std::int32_t>& channels, unsigned threads);

} // namespace Desk
