#include "discriminator/ScatterPlot.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>

#include "detection/SpikeData.h"
#include "discriminator/ColourGroups.h"
#include "discriminator/DefaultExtents.h"
#include "discriminator/ScatterExtents.h"
#include "graph/GraphMessages.h"
#include "graph/QueenFreeHand.h"
#include "graph/QueenLineH.h"
#include "graph/QueenMessages.h"
#include "graph/QueenPolygon.h"
#include "module/AnalysisDocument.h"
#include "module/AnalysisSettings.h"
#include "platform/ui/TDC.h"

namespace Nerolith {
namespace {

namespace ui = platform::ui;

constexpr std::int32_t kSymbolPoints = 2;
constexpr std::int32_t kSelectedSymbolPoints = 3;
// Between the height's unit and "Width": the list separator.
constexpr std::u16string_view kHintSeparator = u",";

std::u16string Number(double value)
{
    std::ostringstream text;
    text << value;
    const std::string narrow = text.str();
    return {narrow.begin(), narrow.end()};
}

bool SameFrame(const DUdido1::PlotFrame& a, const DUdido1::PlotFrame& b)
{
    return a.rect == b.rect && a.x.factor == b.x.factor && a.x.offset == b.x.offset && a.y.factor == b.y.factor &&
           a.y.offset == b.y.offset;
}

// The reciprocal of the channel's unit prefix factor; 1 when the host gives
// none that can be used.
double DisplayFactorOf(AnalysisDocument& document, std::int32_t channel)
{
    VEX::String unit;
    double factor = 1.0;
    IHostRecording* recording = document.Recording();
    if (recording == nullptr || Failed(recording->ChannelUnit(channel, &unit, &factor)) || !std::isfinite(factor) ||
        factor <= 0.0) {
        return 1.0;
    }
    return 1.0 / factor;
}

} // namespace

ScatterPlot::ScatterPlot(ui::TWindow* parent, AnalysisDocument& document)
    : document_(&document), graph_(parent), threshold_(new DUdido1::QueenLineH),
      contour_(new DUdido1::QueenFreeHand), editor_(new DUdido1::QueenPolygon)
{
    constexpr double kLargest = std::numeric_limits<double>::max();
    graph_.SetDomainLimits(-kLargest, kLargest);
    graph_.SetRangeLimits(-kLargest, kLargest);
    graph_.SetAxisTitles(u"Width", u"Height");
    graph_.SetAxisUnits(u"ms", u"V");
    FollowDefaults(graph_, {kInitialWidthExtent, kInitialHeightExtent}, true);
    threshold_->SetFillColour(ui::kGray);
    threshold_->SetVisible(true);
    contour_->SetPenColour(ui::kBlack);
    contour_->SetVisible(true);
    graph_.AddQueen(threshold_, true);
    graph_.AddQueen(contour_, true);
    editor_->SetInPictures(false);
    graph_.AddQueen(editor_, true);
    threshold_->Attach(this);
    contour_->Attach(this);
    editor_->Attach(this);
    graph_.Queens().Attach(this);
    graph_.AddAnnotation(this);
    graph_.Attach(this);
}

ScatterPlot::~ScatterPlot()
{
    graph_.Detach(this);
    graph_.Queens().Detach(this);
    threshold_->Detach(this);
    contour_->Detach(this);
    editor_->Detach(this);
}

std::int32_t ScatterPlot::Channel() const
{
    return document_->Settings().sourceChannel;
}

std::int32_t ScatterPlot::SelectedSpike() const
{
    std::int32_t spike = -1;
    if (Failed(document_->GetSpikeSelection(&spike))) {
        return -1;
    }
    return spike;
}

void ScatterPlot::Select(std::int32_t spike)
{
    contourReady_ = false;
    document_->SetSpikeSelection(spike);
    // Drawn from the document's selection.
    graph_.Redraw();
}

ScatterPlot::Series& ScatterPlot::SeriesAt(std::size_t index)
{
    while (series_.size() <= index) {
        auto* plotter = new DUdido1::PointPlotter;
        auto* data = new DUdido1::VectorPlotData;
        plotter->SetSymbolSize(kSymbolPoints);
        plotter->SetPlotData(data, true);
        graph_.AddPlotter(plotter, true);
        series_.push_back({plotter, data, {}});
    }
    return series_[index];
}

void ScatterPlot::FillSeries(const SpikeTable& spikes)
{
    const std::vector<ColourGroup> groups = GroupByColour(spikes.Colours().ToVector());
    for (std::size_t g = 0; g < groups.size(); ++g) {
        std::vector<double> xs;
        std::vector<double> ys;
        Series& series = SeriesAt(g);
        series.spikes.clear();
        xs.reserve(groups[g].spikes.size());
        ys.reserve(groups[g].spikes.size());
        series.spikes.reserve(groups[g].spikes.size());
        for (const std::size_t i : groups[g].spikes) {
            xs.push_back(spikes.Widths()[i]);
            ys.push_back(spikes.Heights()[i] * displayFactor_);
            series.spikes.push_back(static_cast<std::int32_t>(i));
        }
        series.plotter->SetColour(groups[g].colour);
        series.data->SetPoints(std::move(xs), std::move(ys));
    }
    for (std::size_t g = groups.size(); g < series_.size(); ++g) {
        series_[g].data->SetPoints({}, {});
        series_[g].spikes.clear();
    }
    indexFrame_.reset();
    // Spike numbers of an earlier analysis name other spikes now.
    hovered_.reset();
}

void ScatterPlot::FollowExtents(const SpikeTable& spikes, double threshold)
{
    SpikeExtents shown = spikes.Extents();
    if (spikes.Size() > 0) {
        shown.minHeight = static_cast<float>(shown.minHeight * displayFactor_);
        shown.maxHeight = static_cast<float>(shown.maxHeight * displayFactor_);
    }
    const ScatterExtents extents = DefaultScatterExtents(shown, threshold * displayFactor_);
    if (thresholdDragged_) {
        // The plot stays where the user dragged the line.
        graph_.SetDefaultDomain(extents.width.first, extents.width.second);
        graph_.SetDefaultRange(extents.height.first, extents.height.second);
        return;
    }
    FollowDefaults(graph_, {extents.width, extents.height}, !shownDefaults_);
    shownDefaults_ = true;
}

void ScatterPlot::Refresh(const SpikeTable& spikes, double threshold, const VEX::String& heightUnits)
{
    displayFactor_ = DisplayFactorOf(*document_, Channel());
    FillSeries(spikes);
    heightUnits_ = heightUnits;
    graph_.SetAxisUnits(u"ms", heightUnits);
    threshold_->SetPosition(0.0, threshold * displayFactor_);
    const std::vector<Host::UnitDescription> units = ChannelUnits();
    BuildMenu(units);
    ShowEditedContour(units);
    FollowExtents(spikes, threshold);
    graph_.Redraw();
}

std::int64_t ScatterPlot::PointCount(std::uint32_t colour) const
{
    std::int64_t count = 0;
    for (const Series& series : series_) {
        if (series.plotter->Colour() == colour) {
            count += series.data->PointCount();
        }
    }
    return count;
}

std::optional<std::int32_t> ScatterPlot::SpikeAt(const ui::TPoint& clientPoint)
{
    // Indexed from the frame on screen, never from a picture's or a
    // printout's, so clicks keep meeting their points.
    const DUdido1::PlotFrame frame = graph_.CurrentFrame();
    if (!indexFrame_ || !SameFrame(*indexFrame_, frame)) {
        index_.Reset(frame.rect);
        for (const Series& series : series_) {
            for (std::size_t i = 0; i < series.spikes.size(); ++i) {
                const auto k = static_cast<std::int64_t>(i);
                index_.Add({frame.PixelX(series.data->X(k)), frame.PixelY(series.data->Y(k))}, series.spikes[i]);
            }
        }
        indexFrame_ = frame;
    }
    return index_.HitTest(clientPoint);
}

void ScatterPlot::Draw(ui::TDC& dc, const DUdido1::PlotFrame& frame)
{
    const std::int32_t selected = SelectedSpike();
    for (const Series& series : series_) {
        const auto at = std::find(series.spikes.begin(), series.spikes.end(), selected);
        if (at == series.spikes.end()) {
            continue;
        }
        const auto k = static_cast<std::int64_t>(at - series.spikes.begin());
        const std::int32_t dpi = dc.GetDeviceCaps(ui::DeviceCap::LogPixelsX);
        const std::int32_t side = std::max(static_cast<std::int32_t>(kSelectedSymbolPoints * dpi / 72.0), 2);
        const ui::TPoint centre{frame.PixelX(series.data->X(k)), frame.PixelY(series.data->Y(k))};
        dc.FillRect(ui::TRect(centre.OffsetBy(-side / 2, -side / 2), ui::TSize(side, side)),
                    ui::TBrush(ui::kBlack));
        return;
    }
}

bool ScatterPlot::Click(const DUdido1::ClickEvent& click)
{
    if (threshold_->IsTracking()) {
        return true;
    }
    if (contour_->IsTracking()) {
        // The press started a new contour and emptied the old one.
        contourReady_ = false;
        contourWidths_.clear();
        contourHeights_.clear();
    }
    const std::optional<std::int32_t> spike = SpikeAt(click.point);
    if (spike && !contourReady_) {
        Select(*spike);
    } else if (!spike) {
        Select(-1);
    }
    return true;
}

void ScatterPlot::Hover(DUdido1::MouseTrackHintMsg& hint)
{
    hovered_ = hint.insidePlot ? SpikeAt(hint.point) : std::nullopt;
    const SpikeTable& table = document_->Store().Spikes();
    if (!hovered_ || static_cast<std::size_t>(*hovered_) >= table.Size()) {
        hovered_.reset();
        return;
    }
    const auto i = static_cast<std::size_t>(*hovered_);
    const std::u16string text = u"Height = " + Number(table.Heights()[i] * displayFactor_) + u" " +
                                std::u16string(heightUnits_.Str()) + std::u16string(kHintSeparator) +
                                u" Width = " + Number(table.Widths()[i]) + u" ms";
    hint.items.emplace_back(text);
}

void ScatterPlot::ThresholdMoved(double level)
{
    const std::int32_t channel = Channel();
    Host::ChannelAnalysisRecord record;
    if (Failed(document_->GetChannelRecord(channel, &record))) {
        return;
    }
    const double threshold = level / displayFactor_;
    if (NearlyEqual(threshold, record.detectionThreshold)) {
        return;
    }
    record.detectionThreshold = threshold;
    // Held only while the document refreshes the plot for the new threshold,
    // so that it keeps the extents the line was dragged in, and cleared for
    // every later refresh.
    thresholdDragged_ = true;
    if (Succeeded(document_->SetChannelRecord(record)) && record.analyzed && !document_->IsSampling()) {
        document_->AnalyzeChannel(channel);
    }
    thresholdDragged_ = false;
}

void ScatterPlot::ContourFinished()
{
    if (contour_->PointCount() < 3) {
        return;
    }
    contourWidths_ = contour_->Xs();
    contourHeights_.clear();
    for (const double y : contour_->Ys()) {
        contourHeights_.push_back(y / displayFactor_);
    }
    document_->SetSpikeSelection(-1);
    contourReady_ = true;
}

void ScatterPlot::KeepExtents()
{
    const auto [bottom, top] = graph_.GetRange();
    document_->KeepScatterExtents(graph_.GetDomain(), {bottom / displayFactor_, top / displayFactor_});
}

void ScatterPlot::ClearContour()
{
    contour_->ClearPoints();
    contourWidths_.clear();
    contourHeights_.clear();
    contourReady_ = false;
    graph_.Redraw();
}

void ScatterPlot::Receive(MessSys::Message& message)
{
    if (auto* hint = dynamic_cast<DUdido1::MouseTrackHintMsg*>(&message)) {
        Hover(*hint);
    } else if (const auto* end = dynamic_cast<DUdido1::MessageQueenTrackEnd*>(&message)) {
        if (&end->queen == threshold_) {
            ThresholdMoved(end->position.y);
        } else if (&end->queen == contour_) {
            ContourFinished();
        } else if (&end->queen == editor_) {
            ContourEdited();
        }
    } else if (dynamic_cast<DUdido1::MsgGraph2DDrawerOnDomainChanged*>(&message) != nullptr ||
               dynamic_cast<DUdido1::MsgGraph2DDrawerOnRangeChanged*>(&message) != nullptr) {
        KeepExtents();
    } else if (auto* item = dynamic_cast<DUdido1::PreDisplayMenuMessage*>(&message)) {
        PrepareItem(*item);
    } else if (const auto* choice = dynamic_cast<DUdido1::OnMenuItemMessage*>(&message)) {
        MenuCommand(choice->id);
    }
}

} // namespace Nerolith
