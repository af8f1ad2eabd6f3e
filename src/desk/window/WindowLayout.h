#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "desk/document/HostLayout.h"
#include "host/ISpikeDocInterface.h"

namespace Desk {

class ChartView;
class ViewArea;
class ViewCatalog;

// Reads the main window's views and chart into a document's layout and puts
// them back: which views are open, their settings as the views give them as
// text, their frames and stacking order, the chart's span and scales.
class WindowLayout {
public:
    // `chart`, if any, shows `channels` channels.
    WindowLayout(ViewArea& area, const ViewCatalog& kinds, ISpikeDocInterface& analysis, ChartView* chart,
                 std::int32_t channels);

    HostLayout Capture() const;
    // Opens each view through `open` (as the View menu does), sets its
    // settings and frame, bottom view first. Views of kinds or settings this
    // version does not know are left out. Spikes are not saved, so when the
    // document had been analysed `analyse` runs first: the views then show
    // what they showed, on the pages they showed. A setting may send the
    // module a request (a new paging analyses again); `deliver` hands those
    // over, and the settings are then set once more, so that a page set
    // before that analysis is not lost to it.
    void Restore(const HostLayout& layout, const std::function<void(Host::ViewKind)>& open,
                 const std::function<void()>& analyse, const std::function<void()>& deliver);

    // The name a view kind is kept under, and back.
    static std::string KindName(Host::ViewKind kind);
    static std::optional<Host::ViewKind> KindNamed(std::string_view name);

private:
    bool SourceWasAnalysed();
    void RestoreSettings(Host::ViewKind kind, const ViewLayout& view);
    void RestoreChart(const ChartLayout& chart);

    ViewArea& area_;
    const ViewCatalog& kinds_;
    ISpikeDocInterface& analysis_;
    ChartView* chart_;
    std::int32_t channels_;
};

} // namespace Desk
