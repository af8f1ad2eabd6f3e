#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Desk {

// What a user asks of a channel filter: Butterworth high-pass at `low` Hz,
// cascaded with a Butterworth low-pass at `high` Hz when `high` is given,
// each of `order`; zero-phase (forward and backward) unless `causal`.
// With reference channels, their median (or mean) at each tick is taken
// off the channel first: a common median (average) reference.
struct FilterDesign {
    double low = 0.0;
    std::optional<double> high;
    int order = 2;
    bool causal = false;
    std::vector<std::int32_t> reference; // 0-based channels
    bool medianReference = true;

    static constexpr int kMaxOrder = 8;

    // Why the filter cannot run at `sampleRate` Hz; empty when it can.
    std::string Problem(double sampleRate) const;
    // "300-3000 Hz" or "from 300 Hz", then the order, the direction and
    // the reference.
    std::string Describe() const;

    friend bool operator==(const FilterDesign&, const FilterDesign&) = default;
};

} // namespace Desk
