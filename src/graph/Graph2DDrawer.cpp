#include "graph/Graph2DDrawer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "graph/Annotation.h"
#include "graph/GraphMessages.h"
#include "graph/Plotter.h"
#include "graph/Queen.h"
#include "graph/SelectionQueen.h"
#include "platform/ui/AxisScale.h"
#include "platform/ui/TDC.h"
#include "platform/ui/TWindow.h"

namespace DUdido1 {

namespace {

bool IsExtent(double minimum, double maximum)
{
    return std::isfinite(minimum) && std::isfinite(maximum) && maximum > minimum;
}

constexpr Extent kUnlimited{std::numeric_limits<double>::lowest(), std::numeric_limits<double>::max()};

} // namespace

Graph2DDrawer::Graph2DDrawer() : domainLimits_(kUnlimited), rangeLimits_(kUnlimited)
{
    queens_.SetRedrawHandler([this] { Redraw(); });
    queens_.SetForgetHandler([this](Queen* queen) {
        if (queen == selection_) {
            selection_ = nullptr;
            selecting_ = false;
        }
    });
    graticule_.SetDisplayInfo(displayInfo_);
}

Graph2DDrawer::~Graph2DDrawer()
{
    for (const PlotterEntry& entry : plotters_) {
        entry.plotter->SetGraph(nullptr);
        if (entry.owned) {
            delete entry.plotter;
        }
    }
    for (const AnnotationEntry& entry : annotations_) {
        if (entry.owned) {
            delete entry.annotation;
        }
    }
    if (selection_) {
        selection_->Released();
    }
}

void Graph2DDrawer::SetScales(ui::IAxisScale* horizontal, ui::IAxisScale* vertical)
{
    horizontalScale_ = horizontal;
    verticalScale_ = vertical;
    graticule_.SetScales(horizontal, vertical);
    PushToScales();
}

ui::IAxisScale* Graph2DDrawer::Scale(GraphAxis axis) const
{
    return axis == GraphAxis::Horizontal ? horizontalScale_ : verticalScale_;
}

void Graph2DDrawer::PushToScales()
{
    const auto push = [](ui::IAxisScale* scale, Extent extent, Extent defaults, Extent limits,
                         const VEX::String& units, const VEX::String& title, bool shown) {
        if (!scale) {
            return;
        }
        scale->SetLimits(limits.first, limits.second);
        scale->SetDefaultExtent(defaults.first, defaults.second);
        scale->SetExtent(extent.first, extent.second);
        scale->SetUnitText(units);
        scale->SetTitle(title);
        scale->Show(shown);
    };
    push(horizontalScale_, domain_, defaultDomain_, domainLimits_, horizontalUnits_, horizontalTitle_,
         horizontalShown_);
    push(verticalScale_, range_, defaultRange_, rangeLimits_, verticalUnits_, verticalTitle_, verticalShown_);
}

void Graph2DDrawer::SetInsets(std::int32_t left, std::int32_t bottom)
{
    leftInset_ = left;
    bottomInset_ = bottom;
    SyncFrame();
}

ui::TRect Graph2DDrawer::PlotRect(const ui::TRect& area) const
{
    ui::TRect plot = area;
    plot.left += leftInset_;
    plot.bottom -= bottomInset_;
    plot.right = std::max(plot.right, plot.left + 1);
    plot.top = std::min(plot.top, plot.bottom - 1);
    return plot;
}

void Graph2DDrawer::SetArea(const ui::TRect& area)
{
    area_ = area;
    SyncFrame();
}

PlotFrame Graph2DDrawer::FrameFor(const ui::TRect& area) const
{
    return PlotFrame::Make(PlotRect(area), domain_, range_);
}

void Graph2DDrawer::SyncFrame()
{
    const PlotFrame frame = CurrentFrame();
    queens_.SetFrame(frame);
    if (selection_) {
        selection_->SetFrame(frame);
    }
}

bool Graph2DDrawer::SetDomain(double minimum, double maximum)
{
    if (!IsExtent(minimum, maximum)) {
        return false;
    }
    if (domain_ != Extent{minimum, maximum}) {
        domain_ = {minimum, maximum};
        if (horizontalScale_) {
            horizontalScale_->SetExtent(minimum, maximum);
        }
        SyncFrame();
        Redraw();
        MsgGraph2DDrawerOnDomainChanged changed(minimum, maximum);
        Send(changed);
    }
    return true;
}

bool Graph2DDrawer::SetRange(double minimum, double maximum)
{
    if (!IsExtent(minimum, maximum)) {
        return false;
    }
    if (range_ != Extent{minimum, maximum}) {
        range_ = {minimum, maximum};
        if (verticalScale_) {
            verticalScale_->SetExtent(minimum, maximum);
        }
        SyncFrame();
        Redraw();
        MsgGraph2DDrawerOnRangeChanged changed(minimum, maximum);
        Send(changed);
    }
    return true;
}

bool Graph2DDrawer::SetDefaultDomain(double minimum, double maximum)
{
    if (!IsExtent(minimum, maximum)) {
        return false;
    }
    defaultDomain_ = {minimum, maximum};
    if (horizontalScale_) {
        horizontalScale_->SetDefaultExtent(minimum, maximum);
    }
    return true;
}

bool Graph2DDrawer::SetDefaultRange(double minimum, double maximum)
{
    if (!IsExtent(minimum, maximum)) {
        return false;
    }
    defaultRange_ = {minimum, maximum};
    if (verticalScale_) {
        verticalScale_->SetDefaultExtent(minimum, maximum);
    }
    return true;
}

bool Graph2DDrawer::SetDomainLimits(double minimum, double maximum)
{
    if (!IsExtent(minimum, maximum)) {
        return false;
    }
    domainLimits_ = {minimum, maximum};
    if (horizontalScale_) {
        horizontalScale_->SetLimits(minimum, maximum);
    }
    return true;
}

bool Graph2DDrawer::SetRangeLimits(double minimum, double maximum)
{
    if (!IsExtent(minimum, maximum)) {
        return false;
    }
    rangeLimits_ = {minimum, maximum};
    if (verticalScale_) {
        verticalScale_->SetLimits(minimum, maximum);
    }
    return true;
}

void Graph2DDrawer::SetAxisUnits(const VEX::String& horizontal, const VEX::String& vertical)
{
    horizontalUnits_ = horizontal;
    verticalUnits_ = vertical;
    if (horizontalScale_) {
        horizontalScale_->SetUnitText(horizontal);
    }
    if (verticalScale_) {
        verticalScale_->SetUnitText(vertical);
    }
}

void Graph2DDrawer::SetAxisTitles(const VEX::String& horizontal, const VEX::String& vertical)
{
    horizontalTitle_ = horizontal;
    verticalTitle_ = vertical;
    if (horizontalScale_) {
        horizontalScale_->SetTitle(horizontal);
    }
    if (verticalScale_) {
        verticalScale_->SetTitle(vertical);
    }
}

void Graph2DDrawer::ShowScale(GraphAxis axis, bool shown)
{
    bool& flag = axis == GraphAxis::Horizontal ? horizontalShown_ : verticalShown_;
    if (flag == shown) {
        return;
    }
    flag = shown;
    if (ui::IAxisScale* scale = Scale(axis)) {
        scale->Show(shown);
    }
    LayoutChanged();
    Redraw();
}

bool Graph2DDrawer::IsScaleShown(GraphAxis axis) const
{
    return axis == GraphAxis::Horizontal ? horizontalShown_ : verticalShown_;
}

void Graph2DDrawer::LayoutChanged()
{
}

void Graph2DDrawer::AddPlotter(Plotter* plotter, bool owned)
{
    if (!plotter) {
        return;
    }
    plotters_.push_back({plotter, owned});
    plotter->SetGraph(this);
    Redraw();
}

void Graph2DDrawer::ForgetPlotter(const Plotter* plotter)
{
    std::erase_if(plotters_, [&](const PlotterEntry& entry) { return entry.plotter == plotter; });
    Redraw();
}

Plotter* Graph2DDrawer::GetPlotter(std::int32_t index) const
{
    return index >= 0 && index < PlotterCount() ? plotters_[static_cast<std::size_t>(index)].plotter : nullptr;
}

void Graph2DDrawer::AddQueen(Queen* queen, bool owned)
{
    queens_.Adopt(queen, owned);
}

void Graph2DDrawer::AddAnnotation(Annotation* annotation, bool owned)
{
    if (annotation) {
        annotations_.push_back({annotation, owned});
        Redraw();
    }
}

void Graph2DDrawer::SetSelectionQueen(SelectionQueen* selection)
{
    if (selection_) {
        selection_->Released();
    }
    selection_ = selection;
    selecting_ = false;
    if (selection_) {
        // Adopted by the controller without joining its list, so that its
        // repaint requests reach this graph.
        selection_->Adopted(&queens_, selection_->HandleSize(), CurrentFrame());
    }
    Redraw();
}

void Graph2DDrawer::SetDisplayInfo(const GraphDisplayInfo& info)
{
    displayInfo_ = info;
    graticule_.SetDisplayInfo(info);
    Redraw();
}

void Graph2DDrawer::Redraw()
{
    if (window_) {
        window_->Invalidate(false);
    }
}

void Graph2DDrawer::Draw(ui::TDC& dc, const ui::TRect& area, const std::optional<ui::TRect>& clip)
{
    MsgGraph2DDrawerNotifyBeginRedraw begin;
    Send(begin);

    const PlotFrame frame = FrameFor(area);
    dc.FillRect(frame.rect, ui::TBrush::White());
    graticule_.SetPlotRect(frame.rect);
    graticule_.Draw(clip, dc);

    const std::int32_t saved = dc.SaveDC();
    dc.IntersectClipRect(frame.rect);
    for (const PlotterEntry& entry : plotters_) {
        if (entry.plotter->IsVisible()) {
            entry.plotter->Draw(dc, frame);
        }
    }
    for (const AnnotationEntry& entry : annotations_) {
        entry.annotation->Draw(dc, frame);
    }
    if (selection_ && selection_->IsVisible()) {
        selection_->Draw(dc, frame);
    }
    queens_.Draw(dc, frame);
    dc.RestoreDC(saved);

    MsgGraph2DDrawerNotifyEndRedraw end;
    Send(end);
}

void Graph2DDrawer::LButtonDown(const ui::TPoint& point)
{
    SyncFrame();
    const PlotFrame frame = CurrentFrame();
    if (!frame.rect.Contains(point)) {
        return;
    }
    if (!queens_.MouseDown(point) && selection_ && selection_->IsVisible()) {
        const PlotPointer pointer = frame.PointerAt(point);
        selecting_ = true;
        selection_->StartDrag(pointer);
        selection_->BeginTrack(pointer);
    }
    OfferClick(point);
}

void Graph2DDrawer::MouseMove(const ui::TPoint& point)
{
    if (selecting_) {
        selection_->Track(CurrentFrame().PointerAt(point));
    } else {
        queens_.MouseMove(point);
    }
}

void Graph2DDrawer::LButtonUp(const ui::TPoint& point)
{
    if (selecting_) {
        selecting_ = false;
        selection_->EndTrack(CurrentFrame().PointerAt(point));
        selection_->StopDrag();
    }
    queens_.MouseUp(point);
}

void Graph2DDrawer::OfferClick(const ui::TPoint& point)
{
    ClickEvent click{point, CurrentFrame().PointerAt(point), CurrentFrame()};
    // By index: a handler may add annotations.
    for (std::size_t i = 0; i < annotations_.size(); ++i) {
        if (annotations_[i].annotation->Click(click)) {
            return;
        }
    }
}

void Graph2DDrawer::Receive(MessSys::Message&)
{
}

} // namespace DUdido1
