#include "desk/calc/BiquadCascade.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Desk {
namespace {

// The bilinear transform of one analog Butterworth pole pair with quality
// `q`, the cutoff prewarped to tan(pi f / fs).
BiquadCascade::Section PairSection(double k, double q, bool highPass)
{
    const double norm = 1.0 / (1.0 + k / q + k * k);
    const double b0 = highPass ? norm : k * k * norm;
    return {b0, highPass ? -2.0 * b0 : 2.0 * b0, b0, 2.0 * (k * k - 1.0) * norm, (1.0 - k / q + k * k) * norm};
}

// The bilinear transform of the real pole of an odd order.
BiquadCascade::Section RealSection(double k, bool highPass)
{
    const double norm = 1.0 / (1.0 + k);
    const double b0 = highPass ? norm : k * norm;
    return {b0, highPass ? -b0 : b0, 0.0, (k - 1.0) * norm, 0.0};
}

// The largest pole radius of a section.
double PoleRadius(const BiquadCascade::Section& s)
{
    const double discriminant = s.a1 * s.a1 - 4.0 * s.a2;
    if (discriminant < 0.0) {
        return std::sqrt(s.a2);
    }
    const double root = std::sqrt(discriminant);
    return std::max(std::abs(-s.a1 + root), std::abs(-s.a1 - root)) / 2.0;
}

constexpr std::int64_t kMostSettlingTicks = std::int64_t{1} << 22;

} // namespace

BiquadCascade::BiquadCascade(const FilterDesign& design, double sampleRate) : sampleRate_(sampleRate)
{
    AddButterworth(design.order, design.low, true);
    if (design.high) {
        AddButterworth(design.order, *design.high, false);
    }
    z1_.assign(sections_.size(), 0.0);
    z2_.assign(sections_.size(), 0.0);
}

void BiquadCascade::AddButterworth(int order, double frequency, bool highPass)
{
    const double k = std::tan(std::numbers::pi * frequency / sampleRate_);
    for (int pair = 0; pair < order / 2; ++pair) {
        const double angle = (2.0 * pair + 1.0) * std::numbers::pi / (2.0 * order);
        sections_.push_back(PairSection(k, 1.0 / (2.0 * std::sin(angle)), highPass));
    }
    if (order % 2 == 1) {
        sections_.push_back(RealSection(k, highPass));
    }
}

void BiquadCascade::Settle(double value)
{
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const Section& s = sections_[i];
        const double out = value * (s.b0 + s.b1 + s.b2) / (1.0 + s.a1 + s.a2);
        z2_[i] = s.b2 * value - s.a2 * out;
        z1_[i] = s.b1 * value - s.a1 * out + z2_[i];
        value = out;
    }
}

double BiquadCascade::Step(double x)
{
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const Section& s = sections_[i];
        const double y = s.b0 * x + z1_[i];
        z1_[i] = s.b1 * x - s.a1 * y + z2_[i];
        z2_[i] = s.b2 * x - s.a2 * y;
        x = y;
    }
    return x;
}

void BiquadCascade::Run(double* values, std::size_t count)
{
    for (std::size_t n = 0; n < count; ++n) {
        values[n] = Step(values[n]);
    }
}

void BiquadCascade::RunBackward(double* values, std::size_t count)
{
    for (std::size_t n = count; n > 0; --n) {
        values[n - 1] = Step(values[n - 1]);
    }
}

std::complex<double> BiquadCascade::Response(double frequency) const
{
    const std::complex<double> z1 = std::polar(1.0, -2.0 * std::numbers::pi * frequency / sampleRate_);
    const std::complex<double> z2 = z1 * z1;
    std::complex<double> response = 1.0;
    for (const Section& s : sections_) {
        response *= (s.b0 + s.b1 * z1 + s.b2 * z2) / (1.0 + s.a1 * z1 + s.a2 * z2);
    }
    return response;
}

double BiquadCascade::GroupDelay(double frequency) const
{
    const double step = 1e-4 * sampleRate_;
    const double turn = std::arg(Response(frequency + step) / Response(frequency - step));
    return -turn / (2.0 * std::numbers::pi * 2.0 * step);
}

std::int64_t BiquadCascade::SettlingTicks() const
{
    double radius = 0.0;
    for (const Section& s : sections_) {
        radius = std::max(radius, PoleRadius(s));
    }
    if (radius <= 0.0) {
        return 1;
    }
    // A double or higher pole decays as n r^n; the margin covers that.
    const double ticks = std::log(1e-9) / std::log(radius) * 1.5 + 16.0;
    return std::min<std::int64_t>(kMostSettlingTicks, static_cast<std::int64_t>(std::ceil(ticks)));
}

} // namespace Desk
