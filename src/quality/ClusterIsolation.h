#pragma once

#include <cstdint>
#include <span>

namespace Nerolith {

// Isolation of one cluster from the rest of the channel's spikes on two
// features (height and width), through the Mahalanobis distance from the
// cluster's mean under its covariance. NaN where undefined: a cluster with
// fewer spikes than features or a singular covariance gives neither; too
// few other spikes give no isolation distance.
struct ClusterIsolation {
    double isolationDistance; // Harris et al. 2001: the n-th smallest squared distance of another spike, n the cluster's size
    double lRatio;            // Schmitzer-Torbert et al. 2005: sum over other spikes of 1 - chi2cdf(D^2, 2), over n
};

// `inCluster[i]` says whether spike i belongs to the cluster.
ClusterIsolation MeasureIsolation(std::span<const float> heights, std::span<const float> widths,
                                  std::span<const std::uint8_t> inCluster);

} // namespace Nerolith
