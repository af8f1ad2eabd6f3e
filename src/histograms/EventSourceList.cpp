#include "histograms/EventSourceList.h"

#include <algorithm>

namespace Nerolith {

void FillEventSourceList(platform::ui::TWindow& dialog, std::int32_t id, const std::vector<VEX::String>& sources,
                         const VEX::String& current)
{
    if (sources.empty()) {
        dialog.AddItem(id, kNoEventSources);
        dialog.SetSelIndex(id, 0);
        dialog.EnableControl(id, false);
        return;
    }
    for (const VEX::String& source : sources) {
        dialog.AddItem(id, source);
    }
    const auto found = std::find(sources.begin(), sources.end(), current);
    dialog.SetSelIndex(id, found == sources.end() ? -1 : static_cast<std::int32_t>(found - sources.begin()));
}

} // namespace Nerolith
