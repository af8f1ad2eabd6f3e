#pragma once

#include <cstdint>
#include <vector>

namespace Nerolith {

// A contour around one cluster of the height/width plot.
struct SuggestedContour {
    std::vector<double> widths;  // ms
    std::vector<double> heights; // channel units
    std::size_t spikes = 0;      // the cluster's points inside the contour
};

struct SuggestionOptions {
    std::int32_t maxClusters = 6;
    double radius = 3.0; // Mahalanobis distances from a component's mean
    std::size_t minimumPoints = 10;
    double widthStepMs = 0.0; // the widths' resolution: one sample interval
};

// Clusters the (width ms, height) points with Gaussian mixtures of 1 to
// `maxClusters` full-covariance components and keeps the number of
// components with the lowest BIC. Each component becomes the convex hull
// of the points it claims that lie within `radius` of its mean, so outliers
// and the far tails stay unassigned; a component with fewer than
// `minimumPoints` such points gives none. Tallest cluster first.
std::vector<SuggestedContour> SuggestContours(const std::vector<float>& widthsMs, const std::vector<float>& heights,
                                              const SuggestionOptions& options);

} // namespace Nerolith
