#pragma once

#include <cstdint>
#include <memory>

#include "graph/Graph2DDrawer.h"
#include "graph/GraphDragScaleWindow.h"
#include "graph/GraphWindow.h"
#include "platform/text/VexString.h"

namespace DUdido1 {

// A 2-D graph window: the drawer's plot with an axis scale below it and one
// left of it. It follows what the user does to the scales (dragging sets the
// domain or range, autoscale restores the defaults), forwards the left
// button and moves to the drawer's queens, and tells the drawer's receivers
// what lies under the pointer (MouseTrackHintMsg, HintTextChangedMsg).
//
// Built for Graph2DDrawer and HistogramDrawer.
template <class Drawer>
class Graph2DWindowBase : public GraphWindow<Drawer> {
public:
    explicit Graph2DWindowBase(ui::TWindow* parent, const VEX::String& title = {});
    ~Graph2DWindowBase() override;

    // The drawer's plot, without the scales (they are windows of their own).
    void DrawContent(ui::TDC& dc, bool erase, const ui::TRect& rect) override;
    // The plot with its scales, as a picture for copies and printouts.
    void DrawPicture(ui::TDC& dc, const ui::TRect& rect);

    void EnableAutoScale(bool enabled) { autoScale_ = enabled; }
    bool IsAutoScaleEnabled() const { return autoScale_; }
    // The scale whose drag is under way (kHorizontalScaleId or
    // kVerticalScaleId), or 0.
    std::int32_t DraggedScale() const { return draggedScale_; }

    // The descriptions of what lies under the pointer, joined with ", ".
    const VEX::String& HintText() const { return hint_; }
    // A strip above the plot that shows the hint text on screen (copies and
    // printouts leave it out: the hint belongs to the pointer).
    static constexpr std::int32_t kHintStripHeight = 20;
    void ShowHintStrip(bool shown);
    // Tells the drawer's receivers when the text changes.
    void SetHintText(const VEX::String& text);

    // The scales' messages; others go to the drawer.
    void Receive(MessSys::Message& message) override;

protected:
    void SetupWindow() override;
    void EvSize(std::uint32_t sizeType, const ui::TSize& size) override;
    void EvLButtonDown(std::uint32_t modKeys, const ui::TPoint& point) override;
    void EvLButtonUp(std::uint32_t modKeys, const ui::TPoint& point) override;
    void EvMouseMove(std::uint32_t modKeys, const ui::TPoint& point) override;
    void EvMouseLeave() override;
    void EvKeyDown(std::uint32_t key, std::uint32_t repeatCount, std::uint32_t flags) override;
    void LayoutChanged() override;
    void MarginsChanged() override;

private:
    void Layout();
    // The drawing area of a rectangle, less the hint strip on screen.
    ui::TRect PlotArea(const ui::TRect& rect, bool onScreen) const;
    void DrawHintStrip(ui::TDC& dc, const ui::TRect& rect) const;
    // Puts the scales beside a plot rectangle and gives the drawer its insets.
    void PlaceScales(const ui::TRect& area);
    void ApplyExtent(std::int32_t scaleId, double minimum, double maximum);
    void ApplyScaleExtent(std::int32_t scaleId);

    std::unique_ptr<GraphDragScaleWindow> horizontal_;
    std::unique_ptr<GraphDragScaleWindow> vertical_;
    bool autoScale_ = true;
    std::int32_t draggedScale_ = 0;
    VEX::String hint_;
    bool hintStrip_ = false;
};

} // namespace DUdido1
