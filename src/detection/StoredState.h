#pragma once

#include <cstdint>

namespace EEH2 {

// A copy of the state in which a segment ended, with the tick its scan had
// reached (where reading resumes).
template <typename State>
struct StoredState {
    State state;
    std::int32_t tickReached = 0;
};

} // namespace EEH2
