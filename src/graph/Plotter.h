#pragma once

#include <cstdint>

#include "graph/GraphDrawer.h"
#include "platform/ui/Color.h"

namespace DUdido1 {

class GraphBase;
class PlotDataBase;

// Draws one data series. A plotter may own its data; the data tells it of
// changes, which repaint the graph the plotter belongs to.
class Plotter : public GraphDrawer {
public:
    Plotter() = default;
    Plotter(const Plotter&) = delete;
    Plotter& operator=(const Plotter&) = delete;
    ~Plotter() override;

    ui::COLORREF Colour() const { return colour_; }
    void SetColour(ui::COLORREF colour) { colour_ = colour; }
    ui::COLORREF FillColour() const { return fillColour_; }
    void SetFillColour(ui::COLORREF colour) { fillColour_ = colour; }
    std::int32_t PenWidth() const { return penWidth_; }
    void SetPenWidth(std::int32_t width) { penWidth_ = width; }
    bool IsVisible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

    PlotDataBase* Data() const { return data_; }
    // Replaces the data; the previous data is deleted if the plotter owned it.
    virtual void SetPlotData(PlotDataBase* data, bool owned = false);

    // The graph that draws this plotter (none: not in a graph).
    void SetGraph(GraphBase* graph) { graph_ = graph; }
    // Called by the data.
    void DataChanged();
    void DataDestroyed(const PlotDataBase* data);

protected:
    // Asks the graph, if any, to paint again.
    void RequestRedraw();

private:
    void ReleaseData();

    ui::COLORREF colour_ = ui::kBlack;
    ui::COLORREF fillColour_ = ui::kGray;
    std::int32_t penWidth_ = 1;
    bool visible_ = true;
    PlotDataBase* data_ = nullptr;
    bool ownsData_ = false;
    GraphBase* graph_ = nullptr;
};

} // namespace DUdido1
