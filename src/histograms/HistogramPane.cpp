#include "histograms/HistogramPane.h"

#include <algorithm>
#include <string>

#include "graph/BinLines.h"
#include "graph/BinPlotter.h"
#include "graph/DecadeLabels.h"
#include "graph/GraphMessages.h"
#include "graph/HistogramWindow.h"
#include "graph/SelectionQueen.h"
#include "graph/ShadedSpan.h"
#include "histograms/BinRules.h"
#include "histograms/PaneOwner.h"
#include "platform/text/ListSeparator.h"
#include "platform/ui/TDC.h"

namespace Nerolith {

namespace ui = platform::ui;

namespace {

const VEX::String kCountsTitle = u"Counts/bin";
constexpr std::int32_t kTextLeft = 2;
constexpr std::int32_t kHeaderTop = 2;
constexpr std::int32_t kFirstLineTop = 16;
constexpr std::int32_t kLineStep = 14;

// The 8-point font of the toolbar gadgets, at 96 dots per inch.
ui::TFont GadgetFont()
{
    return ui::TFont(u"DejaVu Sans", 11);
}

VEX::String LabelOf(std::int32_t unit, const Host::UnitDescription& description)
{
    if (!description.name.Empty()) {
        return description.name;
    }
    return VEX::String::FromUtf8("Unit " + std::to_string(static_cast<std::int64_t>(unit) + 1));
}

} // namespace

HistogramPane::HistogramPane(ui::TWindow* parent, PaneOwner& owner, std::int32_t unit,
                             const Host::UnitDescription& description)
    : ui::TWindow(parent, u"Histogram pane"), owner_(owner), unit_(unit), label_(LabelOf(unit, description)),
      statisticsArea_(StatisticsAreaHeight(kShowAllStatistics)),
      selection_(std::make_unique<DUdido1::SelectionQueen>()),
      graph_(std::make_unique<DUdido1::HistogramWindow>(this))
{
    // Added first: the shading lies behind the bars.
    shade_ = new DUdido1::ShadedSpan;
    graph_->AddPlotter(shade_, true);
    overlayLines_ = new DUdido1::BinLines;
    graph_->AddAnnotation(overlayLines_, true);
    decades_ = new DUdido1::DecadeLabels;
    graph_->AddAnnotation(decades_, true);
    plotter_ = new DUdido1::BinPlotter;
    plotter_->SetColour(description.colour);
    plotter_->SetFillColour(description.colour);
    plotter_->SetPlotData(this);
    plotter_->SetBinWidth(BinSize());
    SetBinWidth(BinSize());
    graph_->AddPlotter(plotter_, true);
    graph_->Attach(this);
    selection_->SetVisible(true);
    selection_->SetSnap(pages_.XStart(), BinSize());
    selection_->Attach(this);
    graph_->SetSelectionQueen(selection_.get());
    SetXAxis(u"Time", u"s");
}

HistogramPane::~HistogramPane() = default;

void HistogramPane::SetBinSize(double binSize)
{
    pages_.SetBinSize(binSize);
    SetBinWidth(binSize);
    plotter_->SetBinWidth(binSize);
    SetSelection(Selection().start, Selection().end);
    RequestRepaint();
}

void HistogramPane::SetXOrigin(double xOrigin)
{
    pages_.SetXOrigin(xOrigin);
    SetSelection(Selection().start, Selection().end);
    RequestRepaint();
}

std::int32_t HistogramPane::StartPage(double t, std::int32_t block)
{
    const std::int32_t count = pages_.StartPage(t, block);
    RequestRepaint();
    return count;
}

void HistogramPane::SetCurrentPage(std::int32_t page)
{
    pages_.SetCurrentPage(page);
    RequestRepaint();
}

void HistogramPane::Clear()
{
    // A new analysis counts afresh; the view shows the overlay again after it.
    ClearOverlay();
    SetXRanges(0.0, 1.0);
    graph_->SetDefaultRange(0.0, 1.0);
    graph_->SetRange(0.0, 1.0);
    pages_.Clear();
    Reset();
    ResetAxes();
    RequestRepaint();
}

void HistogramPane::SetSelection(double start, double end)
{
    pages_.SetSelection(start, end);
    selection_->SetSnap(pages_.XStart(), BinSize());
    if (Selection().active) {
        selection_->SetSelection(Selection().start, Selection().end);
    } else {
        selection_->Clear();
    }
    RequestRepaint();
}

void HistogramPane::BuildStatisticsText()
{
    yStatistics_ = pages_.YStatistics();
    lines_ = BuildStatisticsLines(label_, pages_, yStatistics_, owner_.StatisticsOptions(), VEX::ListSeparator());
}

void HistogramPane::SetStatisticsArea(std::int32_t height)
{
    statisticsArea_ = std::max(height, 0);
    Layout();
    Invalidate();
}

void HistogramPane::SetHint(const std::vector<VEX::String>& items)
{
    std::u16string text;
    for (const VEX::String& item : items) {
        if (!text.empty()) {
            text += u", ";
        }
        text += item.Str();
    }
    if (text != hint_.Str()) {
        hint_ = VEX::String(std::move(text));
        Invalidate(false);
    }
}

std::u16string HistogramPane::HintAt(double x) const
{
    const DUdido1::BinSeries bins = Bins();
    const std::optional<std::int64_t> bin = BinFloor((x - bins.first) / bins.width);
    if (!bin || *bin < 0 || *bin >= static_cast<std::int64_t>(bins.counts.size())) {
        return {};
    }
    const double start = bins.first + static_cast<double>(*bin) * bins.width;
    return BinHint(start, bins.width, bins.counts[static_cast<std::size_t>(*bin)], VEX::ListSeparator());
}

void HistogramPane::CopyText(std::u16string& out) const
{
    AppendCopiedText(out, label_, xTitle_, pages_);
}

FigurePane HistogramPane::FigureData() const
{
    FigurePane pane;
    pane.label = label_;
    pane.colour = plotter_->Colour();
    const DUdido1::BinSeries bins{pages_.XStart(), BinSize(), pages_.DisplayedBins()};
    pane.firstBin = bins.first;
    pane.binWidth = bins.width;
    pane.values.assign(bins.counts.begin(), bins.counts.end());
    const DUdido1::Extent domain = graph_->GetDomain();
    const DUdido1::Extent range = graph_->GetRange();
    pane.x = {domain.first, domain.second};
    pane.y = {range.first, range.second};
    pane.xTitle = xUnits_.Empty() ? xTitle_ : xTitle_ + VEX::String(u" (") + xUnits_ + VEX::String(u")");
    pane.yTitle = kCountsTitle;
    return pane;
}

void HistogramPane::SetReferenceTime(double t)
{
    pages_.SetReferenceTime(t);
}

void HistogramPane::EndSegment()
{
}

void HistogramPane::Flush()
{
}

void HistogramPane::HoldSpike(std::int32_t, double)
{
}

void HistogramPane::SetUnits(const VEX::String&)
{
}

void HistogramPane::ShowTime(double)
{
}

void HistogramPane::ResetAxes()
{
}

void HistogramPane::Reset()
{
}

void HistogramPane::Redraw()
{
    graph_->Redraw();
    Invalidate(false);
}

DUdido1::BinSeries HistogramPane::Bins() const
{
    if (bars_) {
        return {bars_->firstBin, bars_->binWidth, bars_->values};
    }
    return {pages_.XStart(), BinSize(), pages_.DisplayedBins()};
}

void HistogramPane::ShowOverlay(const FigurePane& figure, bool replacesBars)
{
    if (!replacesBars && bars_) {
        ClearOverlay();
    }
    shade_->SetSpan(figure.shadedX);
    std::vector<DUdido1::BinLines::Line> lines;
    for (const FigureLine& line : figure.lines) {
        lines.push_back({line.values, line.dashed});
    }
    overlayLines_->SetLines(figure.firstBin, figure.binWidth, std::move(lines));
    if (!replacesBars) {
        ShowAxisTitles(xTitle_, xUnits_, figure.yTitle);
        RequestRepaint();
        return;
    }
    const auto replacedX = bars_ ? bars_->replacedX : std::nullopt;
    bars_ = OverlayBars{figure.firstBin, figure.binWidth, {figure.values.begin(), figure.values.end()}, replacedX};
    // Bars below zero (a correlation coefficient) hang from it.
    plotter_->SetBaseValue(figure.y.first < 0.0 ? std::optional(0.0) : std::nullopt);
    const bool ownX = figure.xTitle != FigureData().xTitle;
    decades_->SetShown(figure.xLog10Seconds);
    ShowAxisTitles(ownX ? figure.xTitle : xTitle_, ownX ? VEX::String() : xUnits_, figure.yTitle);
    if (ownX) {
        if (!bars_->replacedX) {
            bars_->replacedX = std::pair{graph_->GetDefaultDomain(), graph_->GetDomain()};
        }
        SetXRanges(figure.x.first, figure.x.second);
    }
    // Room beyond the highest and the deepest bar or line, which would sit
    // on the frame.
    const double room = 0.05 * (figure.y.second - figure.y.first);
    const AxisExtent y{figure.y.first < 0.0 ? figure.y.first - room : figure.y.first, figure.y.second + room};
    ApplyY({y, y});
    RequestRepaint();
}

void HistogramPane::ClearOverlay()
{
    shade_->SetSpan(std::nullopt);
    overlayLines_->SetLines(0.0, 1.0, {});
    ShowAxisTitles(xTitle_, xUnits_, kCountsTitle);
    if (bars_) {
        if (bars_->replacedX) {
            ApplyX({bars_->replacedX->first, bars_->replacedX->second});
        }
        bars_.reset();
        decades_->SetShown(false);
        plotter_->SetBaseValue(std::nullopt);
        const std::span<const float> counts = pages_.DisplayedBins();
        const float highest = counts.empty() ? 0.0F : *std::max_element(counts.begin(), counts.end());
        const double top = std::max(static_cast<double>(highest), 1.0);
        ApplyY({AxisExtent{0.0, top}, AxisExtent{0.0, top}});
    }
    RequestRepaint();
}

void HistogramPane::ShowAxisTitles(const VEX::String& xTitle, const VEX::String& xUnits, const VEX::String& yTitle)
{
    graph_->SetAxisTitles(xTitle, yTitle);
    graph_->SetAxisUnits(xUnits, u"");
}

void HistogramPane::CountValue(std::int64_t bin, double x)
{
    const BinnedValue value{bin, x};
    CountValues({&value, 1});
}

void HistogramPane::CountValues(std::span<const BinnedValue> values)
{
    const CountSummary summary = pages_.CountValues(values, graph_->GetDomain());
    if (!summary.counted) {
        return;
    }
    // The overlay's bars set the ranges; it is shown again once counted.
    if (bars_) {
        RequestRepaint();
        return;
    }
    // Most runs change no range: the quick tests come first.
    if (summary.highest > graph_->GetDefaultRange().second || summary.highestInView > graph_->GetRange().second) {
        ApplyY(Nerolith::ExtendY(summary.highest, summary.highestInView,
                                 {graph_->GetDefaultRange(), graph_->GetRange()}));
    }
    // Extending to the two extremes in turn ends as extending to each value
    // would.
    ExtendX(summary.lowest);
    ExtendX(summary.highestValue);
    RequestRepaint();
}

void HistogramPane::CountAt(double x)
{
    if (const std::optional<std::int64_t> bin = BinIndex(x)) {
        CountValue(*bin, x);
    }
}

void HistogramPane::ExtendX(double x)
{
    // Far inside the data range nothing changes; most values are.
    const double margin = 2.0 * BinSize();
    const DUdido1::Extent data = graph_->GetDefaultDomain();
    if (unchangingX_.Covers(x, data, BinSize()) || (x - margin >= data.first && x + margin <= data.second)) {
        return;
    }
    const RangeChange change = Nerolith::ExtendX(x, BinSize(), {data, graph_->GetDomain()}, autoScale_);
    if (!change.Any()) {
        unchangingX_.Add(x, data, BinSize());
        return;
    }
    ApplyX(change);
}

void HistogramPane::SetXAxis(const VEX::String& title, const VEX::String& units)
{
    xTitle_ = title;
    xUnits_ = units;
    ShowAxisTitles(title, units, kCountsTitle);
}

void HistogramPane::SetXRanges(double minimum, double maximum)
{
    ApplyX({AxisExtent{minimum, maximum}, AxisExtent{minimum, maximum}});
}

void HistogramPane::ApplyX(const RangeChange& change)
{
    settingRanges_ = true;
    if (change.data) {
        graph_->SetDefaultDomain(change.data->first, change.data->second);
    }
    if (change.visible) {
        graph_->SetDomain(change.visible->first, change.visible->second);
    }
    settingRanges_ = false;
}

void HistogramPane::ApplyY(const RangeChange& change)
{
    if (change.data) {
        graph_->SetDefaultRange(change.data->first, change.data->second);
    }
    if (change.visible) {
        graph_->SetRange(change.visible->first, change.visible->second);
    }
}

void HistogramPane::RequestRepaint()
{
    // Once per paint: counting may run a million times between two paints.
    if (!repaintPending_) {
        repaintPending_ = true;
        graph_->Redraw();
        Invalidate(false);
    }
}

void HistogramPane::Paint(ui::TDC& dc, bool, ui::TRect&)
{
    repaintPending_ = false;
    BuildStatisticsText();
    dc.FillRect(GetClientRect(), ui::TBrush::LightGray());
    const std::int32_t saved = dc.SaveDC();
    dc.SelectObject(GadgetFont());
    dc.SetBkMode(ui::BkMode::Transparent);
    dc.SetTextColor(ui::kBlack);
    dc.TextOut(kTextLeft, kHeaderTop, VEX::String(lines_.header + hint_.Str()));
    std::int32_t top = kFirstLineTop;
    if (!lines_.x.empty()) {
        dc.TextOut(kTextLeft, top, VEX::String(lines_.x));
        top += kLineStep;
    }
    if (!lines_.y.empty()) {
        dc.TextOut(kTextLeft, top, VEX::String(lines_.y));
    }
    dc.RestoreDC(saved);
}

void HistogramPane::EvSize(std::uint32_t, const ui::TSize&)
{
    Layout();
}

void HistogramPane::Layout()
{
    const ui::TRect client = GetClientRect();
    const std::int32_t top = std::min(statisticsArea_, client.Height());
    graph_->MoveWindow(0, top, client.Width(), std::max(client.Height() - top, 0));
}

void HistogramPane::Receive(MessSys::Message& message)
{
    if (auto* hint = dynamic_cast<DUdido1::MouseTrackHintMsg*>(&message)) {
        if (hint->insidePlot) {
            if (std::u16string text = HintAt(hint->pointer.x); !text.empty()) {
                hint->items.emplace_back(std::move(text));
            }
        }
    } else if (const auto* changed = dynamic_cast<const DUdido1::HintTextChangedMsg*>(&message)) {
        SetHint({changed->text});
    } else if (const auto* domain = dynamic_cast<const DUdido1::MsgGraph2DDrawerOnDomainChanged*>(&message)) {
        if (!settingRanges_) {
            SetExtent(domain->minimum, domain->maximum);
        }
    } else if (const auto* trackEnd = dynamic_cast<const DUdido1::MessageQueenTrackEnd*>(&message)) {
        // A selection on an axis of the overlay's own (log10 s) is not one of
        // the analysis' values.
        if (&trackEnd->queen == selection_.get() && !(bars_ && bars_->replacedX)) {
            owner_.SelectionChosen(trackEnd->position.x, trackEnd->position.y);
        }
    }
}

} // namespace Nerolith
