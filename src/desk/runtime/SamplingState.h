#pragma once

#include <cstdint>

namespace Desk {

// What the host has of the recording while it samples: every block before
// the sampled one is complete, the sampled one holds the ticks received so
// far, later blocks do not exist yet (before the first block begins, none
// does). When not sampling, everything is there.
class SamplingState {
public:
    struct Block {
        std::int32_t ticks;
        bool growing;
    };

    bool Active() const { return active_; }
    std::int32_t SampledBlock() const { return block_; }
    std::int32_t ReceivedTicks() const { return received_; }

    // Sampling starts: no block exists until the first one begins.
    void Start();
    void Begin(std::int32_t block);
    void Receive(std::int32_t ticks) { received_ += ticks; }
    void EndBlock() { blockComplete_ = true; }
    void Stop();

    // The ticks of `block` visible now, out of `fullTicks` recorded.
    Block Visible(std::int32_t block, std::int32_t fullTicks) const;
    // How many blocks exist now, out of `fullCount`.
    std::int32_t VisibleBlockCount(std::int32_t fullCount) const;

private:
    bool active_ = false;
    bool blockComplete_ = false;
    std::int32_t block_ = 0;
    std::int32_t received_ = 0;
};

} // namespace Desk
