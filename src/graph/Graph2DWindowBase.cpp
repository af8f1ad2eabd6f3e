#include "graph/Graph2DWindowBase.h"

#include <algorithm>

#include "graph/GraphMessages.h"
#include "graph/HistogramDrawer.h"
#include "platform/ui/TDC.h"

namespace DUdido1 {

namespace {

std::int32_t ThicknessOf(const GraphDragScaleWindow* window, bool shown)
{
    return window && window->Scale() && shown ? window->Scale()->Thickness() : 0;
}

VEX::String Joined(const std::vector<VEX::String>& items)
{
    std::u16string text;
    for (const VEX::String& item : items) {
        if (!text.empty()) {
            text += u", ";
        }
        text += item.Str();
    }
    return VEX::String(std::move(text));
}

} // namespace

template <class Drawer>
Graph2DWindowBase<Drawer>::Graph2DWindowBase(ui::TWindow* parent, const VEX::String& title)
    : GraphWindow<Drawer>(parent, title)
{
}

template <class Drawer>
Graph2DWindowBase<Drawer>::~Graph2DWindowBase()
{
    // The scales go before the drawer: it must not reach them any more.
    Drawer::SetScales(nullptr, nullptr);
}

template <class Drawer>
void Graph2DWindowBase<Drawer>::SetupWindow()
{
    GraphWindow<Drawer>::SetupWindow();
    horizontal_ = std::make_unique<GraphDragScaleWindow>(*this, ui::AxisOrientation::Horizontal);
    vertical_ = std::make_unique<GraphDragScaleWindow>(*this, ui::AxisOrientation::Vertical);
    horizontal_->Attach(this);
    vertical_->Attach(this);
    Drawer::SetScales(horizontal_->Scale(), vertical_->Scale());
    Layout();
}

template <class Drawer>
void Graph2DWindowBase<Drawer>::PlaceScales(const ui::TRect& area)
{
    Drawer::SetInsets(ThicknessOf(vertical_.get(), Drawer::IsScaleShown(GraphAxis::Vertical)),
                      ThicknessOf(horizontal_.get(), Drawer::IsScaleShown(GraphAxis::Horizontal)));
    const ui::TRect plot = Drawer::PlotRect(area);
    for (GraphDragScaleWindow* window : {horizontal_.get(), vertical_.get()}) {
        if (window && window->Scale()) {
            window->Scale()->PlaceBeside(plot);
        }
    }
}

template <class Drawer>
void Graph2DWindowBase<Drawer>::Layout()
{
    const ui::TRect area = PlotArea(this->GetClientRect(), true);
    PlaceScales(area);
    Drawer::SetArea(area);
}

template <class Drawer>
ui::TRect Graph2DWindowBase<Drawer>::PlotArea(const ui::TRect& rect, bool onScreen) const
{
    ui::TRect area = this->DrawingArea(rect);
    if (hintStrip_ && onScreen) {
        area.top = std::min(area.top + kHintStripHeight, area.bottom);
    }
    return area;
}

template <class Drawer>
void Graph2DWindowBase<Drawer>::ShowHintStrip(bool shown)
{
    hintStrip_ = shown;
    Layout();
    this->Invalidate(false);
}

template <class Drawer>
void Graph2DWindowBase<Drawer>::DrawHintStrip(ui::TDC& dc, const ui::TRect& rect) const
{
    const ui::TRect area = this->DrawingArea(rect);
    const ui::TRect strip(rect.left, area.top, rect.right, std::min(area.top + kHintStripHeight, area.bottom));
    dc.FillRect(strip, ui::TBrush::White());
    const std::int32_t saved = dc.SaveDC();
    dc.SelectObject(ui::TFont());
    dc.SetBkMode(ui::BkMode::Transparent);
    dc.SetTextColor(ui::kBlack);
    dc.TextOut(area.left + 4, strip.top + 3, hint_);
    dc.RestoreDC(saved);
}

template <class Drawer>
void Graph2DWindowBase<Drawer>::LayoutChanged()
{
    Layout();
}

template <class Drawer>
void Graph2DWindowBase<Drawer>::MarginsChanged()
{
    Layout();
    this->Invalidate(false);
}

template <class Drawer>
void Graph2DWindowBase<Drawer>::EvSize(std::uint32_t sizeType, const ui::TSize& size)
{
    GraphWindow<Drawer>::EvSize(sizeType, size);
    Layout();
}

template <class Drawer>
void Graph2DWindowBase<Drawer>::DrawContent(ui::TDC& dc, bool, const ui::TRect& rect)
{
    if (hintStrip_) {
        DrawHintStrip(dc, rect);
    }
    Drawer::Draw(dc, PlotArea(rect, true));
}

template <class Drawer>
void Graph2DWindowBase<Drawer>::DrawPicture(ui::TDC& dc, const ui::TRect& rect)
{
    const ui::TRect area = PlotArea(rect, false);
    dc.FillRect(rect, ui::TBrush::White());
    // The grid reads the scales' ticks, which must be laid out for this size.
    PlaceScales(area);
    Drawer::Queens().SetDrawingPicture(true);
    Drawer::Draw(dc, area);
    Drawer::Queens().SetDrawingPicture(false);
    const ui::TRect plot = Drawer::PlotRect(area);
    for (const GraphAxis axis : {GraphAxis::Horizontal, GraphAxis::Vertical}) {
        if (ui::IAxisScale* scale = Drawer::Scale(axis); scale && Drawer::IsScaleShown(axis)) {
            scale->Draw(dc, plot);
        }
    }
    Layout();
}

template <class Drawer>
void Graph2DWindowBase<Drawer>::SetHintText(const VEX::String& text)
{
    if (text == hint_) {
        return;
    }
    hint_ = text;
    if (hintStrip_) {
        this->Invalidate(false);
    }
    HintTextChangedMsg changed(hint_);
    Drawer::Send(changed);
}

template <class Drawer>
void Graph2DWindowBase<Drawer>::EvLButtonDown(std::uint32_t, const ui::TPoint& point)
{
    this->SetCapture();
    // So that keys reach the queen the press grabs.
    this->SetFocus();
    Drawer::LButtonDown(point);
}

template <class Drawer>
void Graph2DWindowBase<Drawer>::EvKeyDown(std::uint32_t key, std::uint32_t repeatCount, std::uint32_t flags)
{
    if (!Drawer::KeyDown(key)) {
        GraphWindow<Drawer>::EvKeyDown(key, repeatCount, flags);
    }
}

template <class Drawer>
void Graph2DWindowBase<Drawer>::EvLButtonUp(std::uint32_t, const ui::TPoint& point)
{
    Drawer::LButtonUp(point);
    this->ReleaseCapture();
}

template <class Drawer>
void Graph2DWindowBase<Drawer>::EvMouseMove(std::uint32_t, const ui::TPoint& point)
{
    MouseTrackHintMsg hint(point, Drawer::CurrentFrame());
    Drawer::Send(hint);
    SetHintText(Joined(hint.items));
    Drawer::MouseMove(point);
}

template <class Drawer>
void Graph2DWindowBase<Drawer>::EvMouseLeave()
{
    MouseLeaveMsg leave;
    Drawer::Send(leave);
    SetHintText({});
}

template <class Drawer>
void Graph2DWindowBase<Drawer>::ApplyExtent(std::int32_t scaleId, double minimum, double maximum)
{
    if (scaleId == kHorizontalScaleId) {
        Drawer::SetDomain(minimum, maximum);
    } else if (scaleId == kVerticalScaleId) {
        Drawer::SetRange(minimum, maximum);
    }
    if (draggedScale_ != 0) {
        // During a drag the plot follows the scale at once.
        this->UpdateWindow();
    }
}

template <class Drawer>
void Graph2DWindowBase<Drawer>::ApplyScaleExtent(std::int32_t scaleId)
{
    const GraphDragScaleWindow* window = scaleId == kHorizontalScaleId ? horizontal_.get() : vertical_.get();
    if (window && window->Scale()) {
        const auto [minimum, maximum] = window->Scale()->GetExtent();
        ApplyExtent(scaleId, minimum, maximum);
    }
}

template <class Drawer>
void Graph2DWindowBase<Drawer>::Receive(MessSys::Message& message)
{
    if (const auto* begin = dynamic_cast<const MsgBeginDrag*>(&message)) {
        draggedScale_ = begin->scaleId;
    } else if (const auto* end = dynamic_cast<const MsgEndDrag*>(&message)) {
        draggedScale_ = 0;
        ApplyScaleExtent(end->scaleId);
    } else if (const auto* scaling = dynamic_cast<const MsgScalingChanged*>(&message)) {
        ApplyExtent(scaling->scaleId, scaling->minimum, scaling->maximum);
    } else if (const auto* autoScale = dynamic_cast<const MsgAutoScale*>(&message)) {
        if (autoScale_) {
            const Extent defaults = autoScale->scaleId == kHorizontalScaleId ? Drawer::GetDefaultDomain()
                                                                             : Drawer::GetDefaultRange();
            ApplyExtent(autoScale->scaleId, defaults.first, defaults.second);
        }
    } else {
        Drawer::Receive(message);
    }
}

template class Graph2DWindowBase<Graph2DDrawer>;
template class Graph2DWindowBase<HistogramDrawer>;

} // namespace DUdido1
