#pragma once

#include <vector>

namespace Nerolith {

class HistogramPane;

// What the Data Sheet functions read of an open analysis view. The analysis
// views implement it beside SpikeView.
class DataSheetView {
public:
    // The bin size of all the view's panes.
    virtual double DataSheetBinSize() const = 0;
    // The view's panes, in pane order.
    virtual std::vector<const HistogramPane*> DataSheetPanes() const = 0;

protected:
    ~DataSheetView() = default;
};

} // namespace Nerolith
