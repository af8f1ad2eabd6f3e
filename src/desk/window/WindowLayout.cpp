#include "desk/window/WindowLayout.h"

#include <QMdiSubWindow>

#include <algorithm>
#include <array>

#include "desk/window/ChartView.h"
#include "desk/window/ViewArea.h"
#include "desk/window/ViewCatalog.h"
#include "host/ViewNames.h"

namespace Desk {

namespace {

// The settings a view may give back as text and take again, in the order
// they are set: what a later one means can depend on an earlier one (the
// page on the paging, the range on the bin size).
constexpr std::array<std::u16string_view, 12> kSettingNames{
    u"reference", u"scale", u"band",    u"log-x",       u"pre-stimulus", u"sweeps",
    u"bin-size",  u"stats", u"x-range", u"selection-x", u"paging",       u"page",
};

constexpr std::string_view kDiscriminatorName = "discriminator";

FramePlacement PlacementOf(const QWidget& frame)
{
    const QRect box = frame.geometry();
    return {box.x(), box.y(), box.width(), box.height()};
}

void Place(QWidget& frame, const FramePlacement& placement)
{
    frame.setGeometry(placement.x, placement.y, placement.width, placement.height);
}

} // namespace

WindowLayout::WindowLayout(ViewArea& area, const ViewCatalog& kinds, ISpikeDocInterface& analysis, ChartView* chart,
                           std::int32_t channels)
    : area_(area), kinds_(kinds), analysis_(analysis), chart_(chart), channels_(channels)
{
}

std::string WindowLayout::KindName(Host::ViewKind kind)
{
    const std::string_view name = Host::ShortViewName(kind);
    return std::string(name.empty() ? kDiscriminatorName : name);
}

std::optional<Host::ViewKind> WindowLayout::KindNamed(std::string_view name)
{
    if (name == kDiscriminatorName) {
        return Host::ViewKind::Discriminator;
    }
    for (const Host::AnalysisViewName& view : Host::kAnalysisViewNames) {
        if (view.shortName == name) {
            return view.kind;
        }
    }
    return std::nullopt;
}

HostLayout WindowLayout::Capture() const
{
    HostLayout layout;
    const QList<QMdiSubWindow*> shown = area_.ShownWindows();
    for (QMdiSubWindow* frame : area_.subWindowList(QMdiArea::StackingOrder)) {
        const std::optional<Host::ViewKind> kind = kinds_.KindOf(frame->widget());
        if (!shown.contains(frame) || !kind) {
            continue;
        }
        ViewLayout view{KindName(*kind), {}, PlacementOf(*frame)};
        for (std::u16string_view name : kSettingNames) {
            VEX::String value;
            if (analysis_.GetViewSetting(*kind, VEX::String(name), &value) == S_OK && !value.Str().empty()) {
                view.settings.emplace_back(VEX::String(name).ToUtf8(), value.ToUtf8());
            }
        }
        layout.views.push_back(std::move(view));
    }
    if (chart_ != nullptr) {
        ChartLayout chart{chart_->Start(), chart_->Span(), {}, PlacementOf(*chart_->parentWidget())};
        for (std::int32_t channel = 0; channel < channels_; ++channel) {
            chart.channelScales.push_back(chart_->ChannelScale(channel).GetExtent());
        }
        layout.chart = chart;
    }
    return layout;
}

void WindowLayout::Restore(const HostLayout& layout, const std::function<void(Host::ViewKind)>& open,
                           const std::function<void()>& analyse, const std::function<void()>& deliver)
{
    if (!layout.views.empty() && SourceWasAnalysed()) {
        analyse();
    }
    std::vector<std::pair<Host::ViewKind, const ViewLayout*>> restored;
    for (const ViewLayout& view : layout.views) {
        if (const std::optional<Host::ViewKind> kind = KindNamed(view.kind)) {
            open(*kind);
            restored.emplace_back(*kind, &view);
        }
    }
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& [kind, view] : restored) {
            RestoreSettings(kind, *view);
        }
        deliver();
    }
    // Placing a view arranges the others: frames are set once all are open,
    // and raised bottom first to stack as they were.
    if (layout.chart) {
        RestoreChart(*layout.chart);
    }
    for (const auto& [kind, view] : restored) {
        for (QMdiSubWindow* frame : area_.ShownWindows()) {
            if (kinds_.KindOf(frame->widget()) == kind) {
                Place(*frame, view->frame);
                frame->raise();
                area_.setActiveSubWindow(frame);
            }
        }
    }
}

bool WindowLayout::SourceWasAnalysed()
{
    Host::DocumentSettings settings;
    Host::ChannelAnalysisRecord record;
    return Succeeded(analysis_.GetDocumentSettings(&settings)) &&
           Succeeded(analysis_.GetChannelRecord(settings.sourceChannel, &record)) && record.analyzed;
}

void WindowLayout::RestoreSettings(Host::ViewKind kind, const ViewLayout& view)
{
    for (const auto& [name, value] : view.settings) {
        // Setting a value again is not always idle (it may analyse again, or
        // bring other settings with it): only what differs is set. A setting
        // this version's view refuses is left as it is.
        const VEX::String settingName = VEX::String::FromUtf8(name);
        VEX::String current;
        if (analysis_.GetViewSetting(kind, settingName, &current) != S_OK || current.ToUtf8() != value) {
            analysis_.SetViewSetting(kind, settingName, VEX::String::FromUtf8(value));
        }
    }
}

void WindowLayout::RestoreChart(const ChartLayout& chart)
{
    if (chart_ == nullptr) {
        return;
    }
    Place(*chart_->parentWidget(), chart.frame);
    chart_->ShowSpan(chart.start, chart.span);
    const auto channels = static_cast<std::size_t>(channels_);
    for (std::size_t channel = 0; channel < std::min(channels, chart.channelScales.size()); ++channel) {
        const auto [minimum, maximum] = chart.channelScales[channel];
        chart_->ChannelScale(static_cast<std::int32_t>(channel)).SetExtent(minimum, maximum);
    }
    chart_->update();
}

} // namespace Desk
