#include "detection/ContinuedFraction.h"

#include <cmath>
#include <utility>

namespace Nerolith {
namespace {

constexpr std::int64_t kLargestTerm = 0x7FFFFFFE;
constexpr double kSmallestRest = 4.656612877414201e-10; // 2^-31
constexpr int kMostTerms = 20;

// Whether a * last + before stays within kLargestTerm.
bool Fits(double a, std::int64_t last, std::int64_t before)
{
    return a * static_cast<double>(last) <= static_cast<double>(kLargestTerm - before);
}

} // namespace

Fraction ContinuedFraction(double x)
{
    const double magnitude = std::fabs(x);
    if (!std::isfinite(magnitude) || magnitude > static_cast<double>(kLargestTerm)) {
        return {x < 0 ? -kLargestTerm : kLargestTerm, 1};
    }
    double whole = std::trunc(magnitude);
    double rest = magnitude - whole;
    std::int64_t hBefore = 1;
    std::int64_t h = static_cast<std::int64_t>(whole);
    std::int64_t kBefore = 0;
    std::int64_t k = 1;
    for (int term = 0; term < kMostTerms && rest >= kSmallestRest; ++term) {
        const double inverse = 1.0 / rest;
        const double a = std::trunc(inverse);
        if (!Fits(a, h, hBefore) || !Fits(a, k, kBefore)) {
            break;
        }
        const auto next = static_cast<std::int64_t>(a);
        hBefore = std::exchange(h, next * h + hBefore);
        kBefore = std::exchange(k, next * k + kBefore);
        rest = inverse - a;
    }
    return {x < 0 ? -h : h, k};
}

} // namespace Nerolith
