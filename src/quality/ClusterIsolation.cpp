#include "quality/ClusterIsolation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace Nerolith {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::size_t kFeatures = 2;

// The inverse covariance of a two-feature cluster and its mean.
struct ClusterShape {
    double meanH = 0.0;
    double meanW = 0.0;
    double invHH = 0.0;
    double invHW = 0.0;
    double invWW = 0.0;

    double Distance2(double h, double w) const
    {
        const double dh = h - meanH;
        const double dw = w - meanW;
        return invHH * dh * dh + 2.0 * invHW * dh * dw + invWW * dw * dw;
    }
};

std::optional<ClusterShape> ShapeOf(std::span<const float> heights, std::span<const float> widths,
                                    std::span<const std::uint8_t> inCluster, std::size_t members)
{
    ClusterShape shape;
    for (std::size_t i = 0; i < heights.size(); ++i) {
        if (inCluster[i]) {
            shape.meanH += heights[i];
            shape.meanW += widths[i];
        }
    }
    shape.meanH /= static_cast<double>(members);
    shape.meanW /= static_cast<double>(members);
    double hh = 0.0, hw = 0.0, ww = 0.0;
    for (std::size_t i = 0; i < heights.size(); ++i) {
        if (inCluster[i]) {
            const double dh = heights[i] - shape.meanH;
            const double dw = widths[i] - shape.meanW;
            hh += dh * dh;
            hw += dh * dw;
            ww += dw * dw;
        }
    }
    const double scale = 1.0 / static_cast<double>(members - 1);
    hh *= scale;
    hw *= scale;
    ww *= scale;
    const double determinant = hh * ww - hw * hw;
    // Relative to the variances, so that tiny units (volts) are not mistaken
    // for singular ones.
    if (!(determinant > 1e-12 * hh * ww)) {
        return std::nullopt;
    }
    shape.invHH = ww / determinant;
    shape.invHW = -hw / determinant;
    shape.invWW = hh / determinant;
    return shape;
}

} // namespace

ClusterIsolation MeasureIsolation(std::span<const float> heights, std::span<const float> widths,
                                  std::span<const std::uint8_t> inCluster)
{
    const auto members = static_cast<std::size_t>(std::count(inCluster.begin(), inCluster.end(), 1));
    if (members <= kFeatures) {
        return {kNaN, kNaN};
    }
    const std::optional<ClusterShape> shape = ShapeOf(heights, widths, inCluster, members);
    if (!shape) {
        return {kNaN, kNaN};
    }
    std::vector<double> others;
    others.reserve(heights.size() - members);
    double l = 0.0;
    for (std::size_t i = 0; i < heights.size(); ++i) {
        if (!inCluster[i]) {
            const double d2 = shape->Distance2(heights[i], widths[i]);
            others.push_back(d2);
            // The chi-square survival function with two degrees of freedom.
            l += std::exp(-d2 / 2.0);
        }
    }
    ClusterIsolation result{kNaN, l / static_cast<double>(members)};
    if (others.size() >= members) {
        const auto nth = others.begin() + static_cast<std::ptrdiff_t>(members - 1);
        std::nth_element(others.begin(), nth, others.end());
        result.isolationDistance = *nth;
    }
    return result;
}

} // namespace Nerolith
