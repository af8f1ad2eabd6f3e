#pragma once

#include <cstddef>
#include <vector>

#include "histograms/HistogramPane.h"
#include "histograms/LagWindow.h"
#include "histograms/TimeBuffer.h"

namespace Nerolith {

// The lags from each spike of a unit to the unit's other spikes, within a
// lag window (-1 s to 1 s for a new pane; afterwards the X range the user
// gave the graph, taken when an analysis starts). A spike is never paired
// with itself; no pair spans a block end or a page start.
class AutoCorrelationHistogram : public HistogramPane {
public:
    AutoCorrelationHistogram(platform::ui::TWindow* parent, PaneOwner& owner, std::int32_t unit,
                             const Host::UnitDescription& description);

    void AddSpike(std::int32_t unit, double t) override;
    void EndSegment() override;
    void Flush() override;
    // Empties the buffer. Without pages (the start of an analysis) the lag
    // window is taken from the bin data's X range and becomes the X origin;
    // while pages exist it stays, so that the bins keep their meaning.
    void Reset() override;
    void ResetAxes() override;

    const LagWindow& Window() const { return window_; }
    // Sets the lag window as the user would by setting the X axis; it
    // applies from the next analysis (Clear) on.
    void SetLagWindow(double minimum, double maximum);

private:
    // Counts each reference whose later partners have all arrived (all of
    // them when final) and drops the spikes no later reference can reach.
    void Correlate(bool final);

    // Page times of the unit's spikes, oldest first.
    TimeBuffer spikes_;
    // The next spike to be used as reference.
    std::size_t next_ = 0;
    // The lags of one reference, counted together.
    std::vector<BinnedValue> lags_;
    LagWindow window_;
};

} // namespace Nerolith
