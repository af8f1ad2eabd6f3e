#pragma once

#include <vector>

#include "histograms/HistogramPane.h"
#include "histograms/LagWindow.h"

namespace Nerolith {

// What the auto- and cross-correlation panes share: the lag window (-1 s to
// 1 s for a new pane; afterwards the X range the user gave the graph, taken
// when an analysis starts) and counting the pending lags when a segment
// ends. No pair spans a block end or a page start.
class CorrelationHistogram : public HistogramPane {
public:
    void EndSegment() override;
    void ResetAxes() override;

    const LagWindow& Window() const { return window_; }
    // Sets the lag window as the user would by setting the X axis; it
    // applies from the next analysis (Clear) on.
    void SetLagWindow(double minimum, double maximum);

protected:
    CorrelationHistogram(platform::ui::TWindow* parent, PaneOwner& owner, std::int32_t unit,
                         const Host::UnitDescription& description);

    // Without pages (the start of an analysis) the lag window is taken from
    // the bin data's X range and becomes the X origin; while pages exist it
    // stays, so that the bins keep their meaning.
    void TakeLagWindowUnlessCounting();
    // Counts each reference whose partners within the window have all
    // arrived (all of them when final) and drops what no later reference can
    // reach.
    virtual void Correlate(bool final) = 0;

    LagWindow window_;
    // The lags of one reference, counted together.
    std::vector<BinnedValue> lags_;
};

} // namespace Nerolith
