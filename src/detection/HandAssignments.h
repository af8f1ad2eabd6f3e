#pragma once

#include <cstdint>
#include <deque>

namespace VEX {
class BinIStream;
class BinOStream;
} // namespace VEX

namespace Nerolith {

// A spike assigned to a unit by hand, or excluded from all units (unit -1).
struct HandAssignment {
    std::int32_t unit = -1;
    std::int32_t block = 0;
    std::int32_t tick = 0;
    std::int32_t channel = 0;
    std::int32_t tolerance = 0;   // ticks; 0 when made by hand
    std::int32_t spikeIndex = -1; // index in the store; -1 when not known

    // Same channel and block, and the tick within the record's tolerance.
    bool Covers(std::int32_t channel, std::int32_t block, std::int32_t tick) const;
};
static_assert(sizeof(HandAssignment) == 24);

// The hand assignments of all channels, in the order they were made.
class HandAssignments {
public:
    // Overwrites the record that covers the spike, else appends one: a
    // second assignment of a spike replaces the first.
    void Add(const HandAssignment& assignment);
    // Removes every record of the channel; whether there was any.
    bool RemoveChannel(std::int32_t channel);
    // Removes the assignments to a unit (exclusions stay); whether there was
    // any.
    bool RemoveUnit(std::int32_t unit);
    bool IsExcluded(std::int32_t spikeIndex) const;
    // The first record that covers the spike, or null. A match widens the
    // record's tolerance to `halfWindow`, so that a re-analysis whose
    // triggers shift slightly still finds it.
    const HandAssignment* Match(std::int32_t channel, std::int32_t block, std::int32_t tick,
                                std::int32_t halfWindow);
    const std::deque<HandAssignment>& Records() const { return records_; }

    void Write(VEX::BinOStream& out) const;
    // Replaces the records with those of the stream; a record cut short by
    // the end of the stream is dropped.
    void Read(VEX::BinIStream& in);

private:
    HandAssignment* Covering(std::int32_t channel, std::int32_t block, std::int32_t tick);

    std::deque<HandAssignment> records_;
};

} // namespace Nerolith
