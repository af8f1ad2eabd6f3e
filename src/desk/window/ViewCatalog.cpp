#include "desk/window/ViewCatalog.h"

#include <algorithm>

namespace Desk {

namespace {

// Any name: only "no view of that kind is open" answers E_FAIL.
bool IsOpen(ISpikeDocInterface& document, Host::ViewKind kind)
{
    VEX::String value;
    return document.GetViewSetting(kind, u"copied-text", &value) != E_FAIL;
}

} // namespace

const std::vector<ViewCatalog::Entry>& ViewCatalog::Entries()
{
    static const std::vector<Entry> entries{
        {Host::ViewKind::Discriminator, "&Discriminator"},
        {Host::ViewKind::InterspikeInterval, "&Interspike Interval Histogram"},
        {Host::ViewKind::AmplitudeHistogram, "&Amplitude Histogram"},
        {Host::ViewKind::RateMeter, "Ra&te Meter"},
        {Host::ViewKind::Autocorrelation, "Autocorrelation &Histogram"},
        {Host::ViewKind::CrossCorrelation, "Cross-correlation Histogra&m"},
        {Host::ViewKind::PeristimulusTime, "&Peristimulus Time Histogram"},
    };
    return entries;
}

void ViewCatalog::Learn(const QWidget& window, ISpikeDocInterface& document)
{
    if (kinds_.contains(&window)) {
        return;
    }
    for (const Entry& entry : Entries()) {
        const bool known = std::ranges::any_of(kinds_, [&entry](const auto& pair) { return pair.second == entry.kind; });
        if (!known && IsOpen(document, entry.kind)) {
            kinds_.emplace(&window, entry.kind);
            return;
        }
    }
}

std::optional<Host::ViewKind> ViewCatalog::KindOf(const QWidget* window) const
{
    const auto found = kinds_.find(window);
    return found != kinds_.end() ? std::optional(found->second) : std::nullopt;
}

} // namespace Desk
