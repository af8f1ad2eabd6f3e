#pragma once

#include <vector>

#include "histograms/HistogramPane.h"
#include "histograms/LagWindow.h"
#include "histograms/TimeBuffer.h"

namespace Nerolith {

// The lags from each event of the reference source (reaching the pane as
// spikes of unit -3) to the spikes of a unit, within a lag window as for
// the autocorrelation. No pair spans a block end or a page start.
class CrossCorrelationHistogram : public HistogramPane {
public:
    CrossCorrelationHistogram(platform::ui::TWindow* parent, PaneOwner& owner, std::int32_t unit,
                              const Host::UnitDescription& description);

    void AddSpike(std::int32_t unit, double t) override;
    void EndSegment() override;
    void Flush() override;
    // Empties both buffers; the lag window as for the autocorrelation.
    void Reset() override;
    void ResetAxes() override;

    const LagWindow& Window() const { return window_; }
    void SetLagWindow(double minimum, double maximum);

private:
    // Counts each reference whose spikes within the window have all arrived
    // (all of them when final) and drops the spikes no later reference can
    // reach.
    void Correlate(bool final);

    // Page times, oldest first.
    TimeBuffer spikes_;
    TimeBuffer references_;
    // The lags of one reference, counted together.
    std::vector<BinnedValue> lags_;
    LagWindow window_;
};

} // namespace Nerolith
