#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "histograms/StatsAccumulator.h"

namespace Nerolith {

// A value and the bin it goes into.
struct BinnedValue {
    std::int64_t bin;
    double x;
};

// What a run of counts did, for the graph's ranges to follow.
struct CountSummary {
    bool counted = false;
    // The highest count a bin reached, overall and by a value inside the
    // visible X range (ends included).
    float highest = 0.0f;
    float highestInView = 0.0f;
    // The lowest and highest value counted.
    double lowest = 0.0;
    double highestValue = 0.0;
};

// A range of X values on the histogram, snapped to whole bins; active
// unless start equals end.
// Where a page began: a block and seconds from that block's start.
struct PagePlace {
    std::int32_t block = 0;
    double t = 0.0;
};

struct BinSelection {
    bool active = false;
    double start = 0.0;
    double end = 0.0;
};

// The counting side of a histogram pane: the bins and X statistics of every
// page, the bin rule, the current page, the page times and the selection.
//
// Bins: with k0 = floor(X origin / bin size), bin i covers
// [(k0 + i) x bin size, (k0 + i + 1) x bin size). A page holds bins 0 up to
// the highest bin counted.
class HistogramPages {
public:
    double BinSize() const { return binSize_; }
    // Refuses a size that is not above zero ("Broken bin size"); the
    // selection is fitted to the new bins.
    void SetBinSize(double binSize);
    double XOrigin() const { return xOrigin_; }
    // Refuses a value that is not finite; the selection is fitted to the
    // new bins.
    void SetXOrigin(double xOrigin);
    // k0, and the lower edge of bin 0.
    std::int64_t FirstBin() const;
    double XStart() const;
    // floor(x / bin size) - k0; none when x is not finite or far beyond any
    // page.
    std::optional<std::int64_t> BinIndex(double x) const;

    // Begins a page at time t (seconds) of a block: page start and reference
    // time become t, the elapsed time 0. Returns the page count.
    std::int32_t StartPage(double t, std::int32_t block = 0);
    std::int32_t PageCount() const { return static_cast<std::int32_t>(bins_.size()); }
    // The displayed page; kept within the pages there are (0 without any).
    std::int32_t CurrentPage() const { return currentPage_; }
    void SetCurrentPage(std::int32_t page);
    // Pages and their counts go; settings and the selection stay.
    void Clear();

    double PageStartTime() const { return pageStartTime_; }
    // Where page p began; a page ends where the next begins.
    const PagePlace& PageStart(std::int32_t page) const { return starts_.at(static_cast<std::size_t>(page)); }
    double ReferenceTime() const { return referenceTime_; }
    void SetReferenceTime(double t) { referenceTime_ = t; }
    // The length of the blocks that ended since the newest page began.
    double Elapsed() const { return elapsed_; }
    void AddElapsed(double length) { elapsed_ += length; }
    // A time of the current block as time since the page began.
    double PageTime(double t) const { return t + elapsed_ - pageStartTime_; }

    // Counts x into a bin of the newest page, and into its X statistics when
    // no selection is active or the bin is inside it. Returns the bin's new
    // count; none (nothing counted) without a page or for a bin below 0 or
    // beyond the largest page.
    std::optional<float> CountValue(std::int64_t bin, double x);
    // Counts each value as CountValue does.
    CountSummary CountValues(std::span<const BinnedValue> values, std::pair<double, double> visibleX);

    std::span<const float> PageBins(std::int32_t page) const;
    const StatsAccumulator& PageXStatistics(std::int32_t page) const;
    // Of the displayed page; empty without pages.
    std::span<const float> DisplayedBins() const;
    StatsAccumulator DisplayedXStatistics() const;
    // The statistics of the displayed page's bin counts: over the selected
    // bins (those beyond the counted ones as zeros), or without a selection
    // from the first bin with a count to the last bin.
    StatsAccumulator YStatistics() const;
    // The most bins any page holds.
    std::int32_t LargestPage() const;

    const BinSelection& Selection() const { return selection_; }
    // Snapped outwards to whole bins; start equal to end clears it.
    void SetSelection(double start, double end);
    void ClearSelection() { SetSelection(0.0, 0.0); }

private:
    void FitSelection();

    double binSize_ = 0.01;
    double xOrigin_ = 0.0;
    std::vector<std::vector<float>> bins_;
    std::vector<StatsAccumulator> xStatistics_;
    std::vector<PagePlace> starts_;
    std::int32_t currentPage_ = 0;
    double pageStartTime_ = 0.0;
    double referenceTime_ = 0.0;
    double elapsed_ = 0.0;
    BinSelection selection_;
    // The selection as bins [first, end).
    std::int64_t selectionFirstBin_ = 0;
    std::int64_t selectionEndBin_ = 0;
};

} // namespace Nerolith
