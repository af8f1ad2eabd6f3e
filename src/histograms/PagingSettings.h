#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace Nerolith {

enum PagingMode : std::int32_t {
    kNoPaging = 0,
    kBlocksPerPage = 1,
    kFixedDuration = 2,
    kStimulusEvents = 3,
};

// How a view splits the analysed data into pages, with the values of a new
// view.
struct PagingSettings {
    std::int32_t mode = kNoPaging;
    std::int32_t blocksPerPage = 1;
    double fixedDuration = 1.0; // seconds
    std::int32_t eventsPerPage = 1;
    double preStimulusTime = 0.0; // seconds; the peristimulus histogram's

    friend bool operator==(const PagingSettings&, const PagingSettings&) = default;
};

// What is wrong with the settings, or none when every value is usable.
std::optional<std::string> PagingSettingsError(const PagingSettings& settings);

} // namespace Nerolith
