#pragma once

#include <cstdint>

namespace Nerolith {

// What a histogram pane needs of the view that holds it.
class PaneOwner {
public:
    // The statistics shown, as StatisticsOption bits.
    virtual std::int32_t StatisticsOptions() const = 0;
    // The user finished dragging a selection on a pane's graph (start equal
    // to end: the selection was cleared). The view gives the range to all
    // its panes and analyses the channel again.
    virtual void SelectionChosen(double start, double end) = 0;

protected:
    ~PaneOwner() = default;
};

} // namespace Nerolith
