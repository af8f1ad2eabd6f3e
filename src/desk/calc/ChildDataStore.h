#pragma once

#include <cstdint>
#include <map>
#include <utility>

#include "host/IGrafoDataChildData.h"
#include "platform/com/ComPtr.h"

namespace Desk {

// Objects the module attaches to the document (channel -1) or to a channel,
// each under its own type key, so a calculation running on a channel can
// find them again. Holds one reference on each.
class ChildDataStore {
public:
    explicit ChildDataStore(std::int32_t channelCount) : channelCount_(channelCount) {}

    // Replaces whatever was attached under the child's key on that channel.
    HRESULT Attach(std::int32_t channel, IGrafoDataChildData* child);
    // S_FALSE when nothing was attached there under the key.
    HRESULT Detach(std::int32_t channel, std::uint32_t key);
    // Looks on the channel first, then on the document. Hands out a new
    // reference; S_FALSE and null when neither has the key.
    HRESULT Find(std::int32_t channel, std::uint32_t key, IGrafoDataChildData** child) const;

private:
    bool IsValidOwner(std::int32_t channel) const { return channel >= -1 && channel < channelCount_; }

    std::int32_t channelCount_;
    std::map<std::pair<std::int32_t, std::uint32_t>, ComPtr<IGrafoDataChildData>> children_;
};

} // namespace Desk
