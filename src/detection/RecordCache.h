#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "detection/StoredState.h"

namespace EEH2 {

// The saved segment-end states of one record, in scan order, so that a
// request anywhere in the record restarts close to it instead of at the
// record's start.
template <typename State>
class RecordCache {
public:
    // Saves the state in which a segment ended; a segment already saved
    // (reached again by a rescan) is kept as it is.
    void Save(const State& state)
    {
        if (saved_.empty() || state.segmentEnd > saved_.back().state.segmentEnd) {
            saved_.push_back({state, state.nextTick});
        }
    }

    // The latest saved state whose position is at or before `tick`, or null.
    const StoredState<State>* LatestAtOrBefore(std::int32_t tick) const
    {
        const auto after = std::upper_bound(saved_.begin(), saved_.end(), tick,
                                            [](std::int32_t t, const StoredState<State>& s) {
                                                return t < s.state.position;
                                            });
        return after == saved_.begin() ? nullptr : &*(after - 1);
    }

private:
    std::vector<StoredState<State>> saved_;
};

} // namespace EEH2
