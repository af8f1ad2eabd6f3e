#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Nerolith::Cli {

// True for what --channel takes besides a single channel: "all", or channels
// from 1 as "1-4" or "1,3,5-8".
bool IsChannelList(const std::string& text);

// The channels `text` names (see IsChannelList), 0-based, each once, in
// channel order; throws naming `option` for bad text or a channel the
// recording does not have.
std::vector<std::int32_t> ParseChannelList(const std::string& option, const std::string& text,
                                           std::int32_t channelCount);

} // namespace Nerolith::Cli
