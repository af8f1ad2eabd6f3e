#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "graph/PlotDataBase.h"

namespace DUdido1 {

// The bins a plotter draws: bin i covers [first + i x width,
// first + (i + 1) x width) and holds counts[i].
struct BinSeries {
    double first = 0.0;
    double width = 0.0;
    std::span<const float> counts;
};

// The bins of one histogram: equally wide bins starting at the lower end of
// the horizontal extent, one count each.
class BinPlotData : public PlotDataBase {
public:
    // Ignored unless maximum > minimum.
    void SetExtent(double minimum, double maximum);
    std::pair<double, double> Extent() const { return {minimum_, maximum_}; }
    // A width that is not above zero is refused with "Broken bin size".
    void SetBinWidth(double width);
    double BinWidth() const { return binWidth_; }
    // Resizes the counts; new bins count 0. A negative number is refused.
    void SetBinCount(std::int32_t count);
    std::int32_t BinCount() const { return static_cast<std::int32_t>(counts_.size()); }
    void ClearCounts();
    // 0 for a bin that does not exist.
    float Count(std::int32_t bin) const;
    // False (nothing changes) for a bin that does not exist.
    bool SetCount(std::int32_t bin, float count);

    // Set by every effective change; the owner clears it once it has caught up.
    bool IsChanged() const { return changed_; }
    void ClearChanged() { changed_ = false; }

    // What the plotter draws. Derived data may serve other bins (a page of
    // several), in the same form.
    virtual BinSeries Bins() const;

private:
    void Changed();

    double minimum_ = 0.0;
    double maximum_ = 1.0;
    bool changed_ = false;
    double binWidth_ = 1.0;
    std::vector<float> counts_;
};

} // namespace DUdido1
