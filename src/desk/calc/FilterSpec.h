#pragma once

#include <optional>
#include <string>

namespace Desk {

// What a user asks of a channel filter: Butterworth high-pass at `low` Hz,
// cascaded with a Butterworth low-pass at `high` Hz when `high` is given,
// each of `order`; zero-phase (forward and backward) unless `causal`.
struct FilterSpec {
    double low = 0.0;
    std::optional<double> high;
    int order = 2;
    bool causal = false;

    static constexpr int kMaxOrder = 8;

    // Why the filter cannot run at `sampleRate` Hz; empty when it can.
    std::string Problem(double sampleRate) const;
    // "300-3000 Hz" or "from 300 Hz", then the order and the direction.
    std::string Describe() const;

    friend bool operator==(const FilterSpec&, const FilterSpec&) = default;
};

} // namespace Desk
