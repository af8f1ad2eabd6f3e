#include "desk/runtime/ChannelCopy.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

#include "desk/recording/PlanarCopy.h"
#include "desk/recording/RawRecording.h"

namespace Desk {
namespace {

constexpr const char* kLimitVariable = "NEROLITH_COPY_MEMORY_MB";

// What the user allows a copy to take, if they said.
std::uint64_t MemoryLimit()
{
    const char* text = std::getenv(kLimitVariable);
    if (text == nullptr) {
        return std::numeric_limits<std::uint64_t>::max();
    }
    std::uint64_t mebibytes = 0;
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, mebibytes);
    if (error != std::errc() || stop != end || text == end) {
        throw std::runtime_error(std::string(kLimitVariable) + "=" + text + ": expected a whole number of MiB");
    }
    return mebibytes > (std::numeric_limits<std::uint64_t>::max() >> 20) ? std::numeric_limits<std::uint64_t>::max()
                                                                            : mebibytes << 20;
}

} // namespace

ChannelCopyOffer::ChannelCopyOffer(const Recording& recording, const std::vector<std::int32_t>& channels,
                                   unsigned threads)
{
    if (const auto* raw = dynamic_cast<const RawRecording*>(&recording)) {
        copy_ = raw->CopyChannels(channels, threads);
        PlanarCopy::Offer(copy_);
    }
}

ChannelCopyOffer::~ChannelCopyOffer() { PlanarCopy::Withdraw(copy_.get()); }

std::size_t ChannelsToCopyAtOnce(const Recording& recording)
{
    const auto* raw = dynamic_cast<const RawRecording*>(&recording);
    const std::uint64_t perChannel = raw != nullptr ? raw->ChannelCopyBytes() : 0;
    if (perChannel == 0) {
        return 0;
    }
    const std::uint64_t allowed = std::min(MemoryLimit(), PlanarCopy::MemoryAllowed());
    return static_cast<std::size_t>(std::min<std::uint64_t>(allowed / perChannel, std::numeric_limits<std::size_t>::max()));
}

} // namespace Desk
