#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/text/VexString.h"

namespace Desk {

// A recording that cannot be opened: the message names the file and the fault.
class RecordingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct EventMark {
    std::int32_t block = 0;
    std::int32_t tick = 0;
};

// A named list of events a recording carries (stimulus marks, annotations).
struct RecordedEvents {
    VEX::String name;
    std::vector<EventMark> marks; // ordered by block, then tick
};

// A recording as the stand-in host reads it: channels sampled in blocks.
// Samples are converted to float32 channel units on demand; a recording is
// never loaded whole unless it is small.
class Recording {
public:
    virtual ~Recording() = default;

    // The path it was opened from ("demo" for the built-in one).
    virtual std::string Source() const = 0;
    // Identifies the recording's contents, so a document can tell whether
    // the file changed since it was saved.
    virtual std::string Fingerprint() const = 0;

    virtual std::int32_t ChannelCount() const = 0;
    virtual std::int32_t BlockCount() const = 0;
    virtual std::int32_t Ticks(std::int32_t channel, std::int32_t block) const = 0;
    virtual double SampleInterval(std::int32_t channel, std::int32_t block) const = 0;
    // Seconds from the start of the recording to the block's first tick.
    virtual double BlockStartTime(std::int32_t block) const = 0;
    virtual VEX::String ChannelTitle(std::int32_t channel) const = 0;
    virtual VEX::String ChannelUnit(std::int32_t channel) const = 0;
    // What the channel's values are multiplied by to give its unit's base
    // unit (1e-3 for values in mV of volts); 1 when the unit has no prefix
    // the host tracks.
    virtual double ChannelUnitFactor(std::int32_t) const { return 1.0; }

    // Copies samples [tick, tick + count) of a channel in a block into `out`;
    // returns how many were copied (fewer at the block end, 0 past it or for
    // a channel or block that does not exist).
    virtual std::size_t Read(std::int32_t channel, std::int32_t block, std::int64_t tick, std::size_t count,
                             float* out) const = 0;

    virtual const std::vector<RecordedEvents>& Events() const = 0;

    // Samples [tick, tick + count) of a channel in a block in place, when
    // they lie in memory as contiguous float32 channel values (shorter at the
    // block end); empty when they must be copied with Read. They stay valid
    // while the recording lives, but a file cut short meanwhile may have
    // turned them to zeros: call CheckLent after using them.
    virtual std::span<const float> Lend(std::int32_t, std::int32_t, std::int64_t, std::size_t) const { return {}; }
    // Throws the error Read gives when samples lent so far were not all
    // there to read (the file was cut short while they were read).
    virtual void CheckLent() const {}
};

} // namespace Desk
