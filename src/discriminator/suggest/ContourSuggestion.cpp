// The unit suggestion's fitting, in a library of its own
// (libnerolith_suggest.so) that the module loads on the first suggestion:
// Armadillo brings BLAS and LAPACK with it, which every other command would
// otherwise pay for at start-up.
#include "discriminator/UnitSuggestion.h"

// A fit that fails is answered by what the functions return; Armadillo's
// own warnings would only clutter the command line's error output.
#define ARMA_WARN_LEVEL 0
#include <armadillo>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <random>

#include <boost/geometry.hpp>
#include <boost/geometry/geometries/multi_point.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>

namespace Nerolith {
namespace {

namespace bg = boost::geometry;
using Point = bg::model::d2::point_xy<double>;

// Each axis scaled to unit variance, so the mixture's first guesses do not
// favour the axis with the larger numbers.
struct Standardised {
    arma::mat points; // 2 x n
    arma::vec mean;
    arma::vec spread;
};

Standardised Standardise(const std::vector<float>& widths, const std::vector<float>& heights, std::size_t n)
{
    arma::mat points(2, n);
    for (std::size_t i = 0; i < n; ++i) {
        points(0, i) = widths[i];
        points(1, i) = heights[i];
    }
    arma::vec mean = arma::mean(points, 1);
    arma::vec spread = arma::stddev(points, 0, 1);
    spread.transform([](double s) { return s > 0.0 ? s : 1.0; });
    points.each_col() -= mean;
    points.each_col() /= spread;
    return {points, mean, spread};
}

// Widths are whole numbers of samples. Fitted as they are, a component
// collapses onto one column of equal widths and the criterion rewards ever
// more components; spread within its sample, each width is a point again.
arma::mat Dequantised(const arma::mat& points, double widthStep)
{
    arma::mat spread = points;
    std::mt19937 generator(1);
    std::uniform_real_distribution<double> within(-0.5 * widthStep, 0.5 * widthStep);
    for (arma::uword i = 0; i < spread.n_cols; ++i) {
        spread(0, i) += within(generator);
    }
    return spread;
}

// The free parameters of a k-component full-covariance mixture in 2-D: the
// weights (k - 1), means (2k) and covariances (3k).
double ParameterCount(std::int32_t k) { return 6.0 * k - 1.0; }

// How unsure the model is of which component each point belongs to: the
// entropy of the points' posterior memberships.
double MembershipEntropy(const arma::gmm_full& model, const arma::mat& points)
{
    arma::mat logs(model.n_gaus(), points.n_cols);
    for (arma::uword k = 0; k < model.n_gaus(); ++k) {
        logs.row(k) = model.log_p(points, k) + std::log(model.hefts(k));
    }
    double entropy = 0.0;
    for (arma::uword i = 0; i < points.n_cols; ++i) {
        const arma::vec column = logs.col(i);
        const double top = column.max();
        const arma::vec weights = arma::exp(column - top);
        const arma::vec posterior = weights / arma::accu(weights);
        for (const double t : posterior) {
            entropy -= t > 0.0 ? t * std::log(t) : 0.0;
        }
    }
    return entropy;
}

// The number of components by the integrated completed likelihood, BIC
// plus twice the membership entropy: plain BIC splits a cluster that is not
// quite Gaussian into overlapping components, which the entropy penalises.
std::optional<arma::gmm_full> BestMixture(const arma::mat& points, std::int32_t maxClusters)
{
    std::optional<arma::gmm_full> best;
    double bestScore = std::numeric_limits<double>::infinity();
    const double n = static_cast<double>(points.n_cols);
    for (std::int32_t k = 1; k <= maxClusters && static_cast<arma::uword>(k) <= points.n_cols / 2; ++k) {
        arma::gmm_full model;
        arma::arma_rng::set_seed(1);
        if (!model.learn(points, static_cast<arma::uword>(k), arma::maha_dist, arma::static_spread, 20, 100, 1e-10,
                         false)) {
            continue;
        }
        const double icl = -2.0 * model.sum_log_p(points) + ParameterCount(k) * std::log(n) +
                           2.0 * MembershipEntropy(model, points);
        if (std::isfinite(icl) && icl < bestScore) {
            bestScore = icl;
            best = std::move(model);
        }
    }
    return best;
}

// The hull of the members' sample cells, so that every member lies inside
// it and none on its edge.
SuggestedContour Hull(const std::vector<Point>& members, const Standardised& data, double widthStep)
{
    const double halfWidth = 0.5 * std::max(widthStep, 1e-3);
    const double halfHeight = 1e-3;
    bg::model::multi_point<Point> cloud;
    for (const Point& p : members) {
        for (const double dx : {-halfWidth, halfWidth}) {
            for (const double dy : {-halfHeight, halfHeight}) {
                cloud.emplace_back(p.x() + dx, p.y() + dy);
            }
        }
    }
    bg::model::polygon<Point> hull;
    bg::convex_hull(cloud, hull);
    SuggestedContour contour;
    const auto& ring = hull.outer();
    // The ring repeats its first point at the end; a contour closes itself.
    for (std::size_t i = 0; i + 1 < ring.size(); ++i) {
        contour.widths.push_back(ring[i].x() * data.spread(0) + data.mean(0));
        contour.heights.push_back(ring[i].y() * data.spread(1) + data.mean(1));
    }
    contour.spikes = members.size();
    return contour;
}

double MeanHeight(const SuggestedContour& contour)
{
    double sum = 0.0;
    for (const double h : contour.heights) {
        sum += h;
    }
    return contour.heights.empty() ? 0.0 : sum / static_cast<double>(contour.heights.size());
}

std::vector<SuggestedContour> Suggest(const std::vector<float>& widthsMs, const std::vector<float>& heights,
                                      const SuggestionOptions& options)
{
    const auto [maxClusters, radius, minimumPoints, widthStepMs] = options;
    const std::size_t n = std::min(widthsMs.size(), heights.size());
    if (n < std::max<std::size_t>(minimumPoints, 3)) {
        return {};
    }
    const Standardised data = Standardise(widthsMs, heights, n);
    const double widthStep = widthStepMs / data.spread(0);
    const arma::mat fitted = Dequantised(data.points, widthStep);
    const std::optional<arma::gmm_full> model = BestMixture(fitted, maxClusters);
    if (!model) {
        return {};
    }
    const arma::urowvec owner = model->assign(fitted, arma::prob_dist);
    // A component whose covariance cannot be inverted claims no point.
    std::vector<arma::mat> inverses(model->n_gaus());
    std::vector<bool> usable(model->n_gaus());
    for (arma::uword g = 0; g < model->n_gaus(); ++g) {
        usable[g] = arma::inv_sympd(inverses[g], arma::mat(model->fcovs.slice(g)));
    }
    std::vector<std::vector<Point>> members(model->n_gaus());
    for (arma::uword i = 0; i < data.points.n_cols; ++i) {
        const arma::uword g = owner(i);
        if (!usable[g]) {
            continue;
        }
        const arma::vec offset = fitted.col(i) - model->means.col(g);
        const double distance = arma::as_scalar(offset.t() * inverses[g] * offset);
        if (distance <= radius * radius) {
            members[g].emplace_back(data.points(0, i), data.points(1, i));
        }
    }
    std::vector<SuggestedContour> contours;
    for (const std::vector<Point>& cluster : members) {
        if (cluster.size() >= minimumPoints) {
            SuggestedContour contour = Hull(cluster, data, widthStep);
            if (contour.widths.size() >= 3) {
                contours.push_back(std::move(contour));
            }
        }
    }
    std::sort(contours.begin(), contours.end(),
              [](const SuggestedContour& a, const SuggestedContour& b) { return MeanHeight(a) > MeanHeight(b); });
    return contours;
}

} // namespace
} // namespace Nerolith

// The library's one exported symbol (see SuggestionExports.map).
extern "C" __attribute__((visibility("default"))) void
NerolithSuggestContours(const std::vector<float>& widthsMs, const std::vector<float>& heights,
                        const Nerolith::SuggestionOptions& options, std::vector<Nerolith::SuggestedContour>& contours)
{
    contours = Nerolith::Suggest(widthsMs, heights, options);
}
