#include "histograms/HistogramPages.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "histograms/BinRules.h"
#include "platform/error/XVEX.h"

namespace Nerolith {

namespace {

// Zeros taken into the Y statistics for a selection beyond the counts are
// limited to this many bins on either side, so that the count stays an
// int32 whatever the selection.
constexpr std::int64_t kZeroBinLimit = kMaxBins;

std::int32_t Narrow(std::int64_t value)
{
    return static_cast<std::int32_t>(value);
}

} // namespace

void HistogramPages::SetBinSize(double binSize)
{
    if (!(binSize > 0.0) || !std::isfinite(binSize)) {
        throw VEX::XVEX("Broken bin size");
    }
    binSize_ = binSize;
    FitSelection();
}

void HistogramPages::SetXOrigin(double xOrigin)
{
    if (!std::isfinite(xOrigin)) {
        throw VEX::XVEX("The X origin must be a finite number");
    }
    xOrigin_ = xOrigin;
    FitSelection();
}

std::int64_t HistogramPages::FirstBin() const
{
    return BinFloor(xOrigin_ / binSize_).value_or(0);
}

double HistogramPages::XStart() const
{
    return static_cast<double>(FirstBin()) * binSize_;
}

std::optional<std::int64_t> HistogramPages::BinIndex(double x) const
{
    const std::optional<std::int64_t> bin = BinFloor(x / binSize_);
    if (!bin) {
        return std::nullopt;
    }
    return *bin - FirstBin();
}

std::int32_t HistogramPages::StartPage(double t, std::int32_t block)
{
    starts_.push_back({block, t});
    pageStartTime_ = t;
    referenceTime_ = t;
    elapsed_ = 0.0;
    bins_.emplace_back();
    xStatistics_.emplace_back();
    return PageCount();
}

void HistogramPages::SetCurrentPage(std::int32_t page)
{
    currentPage_ = std::clamp(page, 0, std::max(PageCount() - 1, 0));
}

void HistogramPages::Clear()
{
    bins_.clear();
    xStatistics_.clear();
    starts_.clear();
    currentPage_ = 0;
    elapsed_ = 0.0;
}

std::optional<float> HistogramPages::CountValue(std::int64_t bin, double x)
{
    const BinnedValue value{bin, x};
    const CountSummary summary = CountValues({&value, 1}, {x, x});
    if (!summary.counted) {
        return std::nullopt;
    }
    return summary.highest;
}

CountSummary HistogramPages::CountValues(std::span<const BinnedValue> values, std::pair<double, double> visibleX)
{
    CountSummary summary;
    if (bins_.empty() || values.empty()) {
        return summary;
    }
    std::vector<float>& page = bins_.back();
    // Everything the loop touches is local, so the compiler keeps it in
    // registers; the page's sums take the run's at the end.
    float* counts = page.data();
    std::size_t size = page.size();
    const bool selected = selection_.active;
    const std::int64_t firstSelected = selectionFirstBin_;
    const std::int64_t endSelected = selectionEndBin_;
    double sum = 0.0;
    double sumOfSquares = 0.0;
    std::int32_t n = 0;
    float highest = 0.0f;
    float highestInView = 0.0f;
    double lowest = std::numeric_limits<double>::infinity();
    double highestValue = -std::numeric_limits<double>::infinity();
    for (const BinnedValue& value : values) {
        if (value.bin < 0 || value.bin >= kMaxBins) {
            continue;
        }
        const auto slot = static_cast<std::size_t>(value.bin);
        if (slot >= size) {
            page.resize(slot + 1, 0.0f);
            counts = page.data();
            size = page.size();
        }
        const float count = counts[slot] += 1.0f;
        if (!selected || (value.bin >= firstSelected && value.bin < endSelected)) {
            sum += value.x;
            sumOfSquares += value.x * value.x;
            ++n;
        }
        highest = std::max(highest, count);
        // A select, not a branch: values outside the view come unpredictably.
        const bool inView = (value.x >= visibleX.first) & (value.x <= visibleX.second);
        highestInView = std::max(highestInView, inView ? count : 0.0f);
        lowest = std::min(lowest, value.x);
        highestValue = std::max(highestValue, value.x);
    }
    StatsAccumulator& statistics = xStatistics_.back();
    statistics.sum += sum;
    statistics.sumOfSquares += sumOfSquares;
    statistics.n += n;
    summary.counted = highest > 0.0f;
    summary.highest = highest;
    summary.highestInView = highestInView;
    summary.lowest = lowest;
    summary.highestValue = highestValue;
    return summary;
}

std::span<const float> HistogramPages::PageBins(std::int32_t page) const
{
    if (page < 0 || page >= PageCount()) {
        return {};
    }
    return bins_[static_cast<std::size_t>(page)];
}

const StatsAccumulator& HistogramPages::PageXStatistics(std::int32_t page) const
{
    static const StatsAccumulator kNone;
    if (page < 0 || page >= PageCount()) {
        return kNone;
    }
    return xStatistics_[static_cast<std::size_t>(page)];
}

std::span<const float> HistogramPages::DisplayedBins() const
{
    return PageBins(currentPage_);
}

StatsAccumulator HistogramPages::DisplayedXStatistics() const
{
    return PageXStatistics(currentPage_);
}

StatsAccumulator HistogramPages::YStatistics() const
{
    StatsAccumulator y;
    const std::span<const float> counts = DisplayedBins();
    if (counts.empty()) {
        return y;
    }
    const auto size = static_cast<std::int64_t>(counts.size());
    std::int64_t first = 0;
    std::int64_t end = size;
    if (selection_.active) {
        first = std::max(selectionFirstBin_, -kZeroBinLimit);
        end = std::min(selectionEndBin_, size + kZeroBinLimit);
    } else {
        const auto counted = std::find_if(counts.begin(), counts.end(), [](float c) { return c > 0.0f; });
        first = counted - counts.begin();
    }
    // Bins outside the page count 0: those before it, the page's own, those
    // after it, in index order so that ties keep the earlier bin.
    const std::int64_t ownFirst = std::clamp<std::int64_t>(first, 0, size);
    const std::int64_t ownEnd = std::clamp<std::int64_t>(end, ownFirst, size);
    y.AddZeros(Narrow(std::min(end, std::int64_t{0}) - first), Narrow(first));
    for (std::int64_t i = ownFirst; i < ownEnd; ++i) {
        y.Add(counts[static_cast<std::size_t>(i)], Narrow(i));
    }
    const std::int64_t afterFirst = std::max(first, size);
    y.AddZeros(Narrow(end - afterFirst), Narrow(afterFirst));
    return y;
}

std::int32_t HistogramPages::LargestPage() const
{
    std::size_t largest = 0;
    for (const std::vector<float>& page : bins_) {
        largest = std::max(largest, page.size());
    }
    return static_cast<std::int32_t>(largest);
}

void HistogramPages::SetSelection(double start, double end)
{
    selection_ = {false, start, end};
    if (std::isfinite(start) && std::isfinite(end) && start != end) {
        selection_ = {true, std::min(start, end), std::max(start, end)};
    }
    FitSelection();
}

void HistogramPages::FitSelection()
{
    if (!selection_.active) {
        selection_ = {};
        selectionFirstBin_ = selectionEndBin_ = 0;
        return;
    }
    const double xStart = XStart();
    const std::optional<std::int64_t> first = BinFloor((selection_.start - xStart) / binSize_);
    const std::optional<std::int64_t> end = BinCeil((selection_.end - xStart) / binSize_);
    if (!first || !end || *first == *end) {
        selection_ = {};
        selectionFirstBin_ = selectionEndBin_ = 0;
        return;
    }
    selectionFirstBin_ = *first;
    selectionEndBin_ = *end;
    selection_.start = xStart + static_cast<double>(*first) * binSize_;
    selection_.end = xStart + static_cast<double>(*end) * binSize_;
}

} // namespace Nerolith
