#include "histograms/PagingSettings.h"

#include <cmath>

namespace Nerolith {

std::optional<std::string> PagingSettingsError(const PagingSettings& settings)
{
    if (settings.mode < kNoPaging || settings.mode > kStimulusEvents) {
        return "Paging mode must be 0 to 3";
    }
    if (settings.blocksPerPage < 1) {
        return "Blocks per page must be greater than zero";
    }
    if (!(settings.fixedDuration > 0.0) || !std::isfinite(settings.fixedDuration)) {
        return "Fixed duration must be greater than zero";
    }
    if (settings.eventsPerPage < 1) {
        return "Stimulus events must be greater than zero";
    }
    if (!(settings.preStimulusTime >= 0.0) || !std::isfinite(settings.preStimulusTime)) {
        return "Pre-stimulus Time must be greater than or equal to zero";
    }
    return std::nullopt;
}

} // namespace Nerolith
