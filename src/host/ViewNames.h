#pragma once

#include <array>
#include <string_view>

#include "host/ISpikeDocInterface.h"

namespace Host {

// The short names by which users, scripts and the Data Sheet know the six
// analysis views.
struct AnalysisViewName {
    std::string_view shortName;
    ViewKind kind;
};

inline constexpr std::array<AnalysisViewName, 6> kAnalysisViewNames{{
    {"AH", ViewKind::AmplitudeHistogram},
    {"ISIH", ViewKind::InterspikeInterval},
    {"ACH", ViewKind::Autocorrelation},
    {"CCH", ViewKind::CrossCorrelation},
    {"PSTH", ViewKind::PeristimulusTime},
    {"RM", ViewKind::RateMeter},
}};

// Empty for the discriminator, which has none.
constexpr std::string_view ShortViewName(ViewKind kind)
{
    for (const AnalysisViewName& view : kAnalysisViewNames) {
        if (view.kind == kind) {
            return view.shortName;
        }
    }
    return {};
}

} // namespace Host
