#include "desk/window/MarkerHint.h"

#include "desk/window/QtText.h"
#include "desk/window/SourceEvents.h"

namespace Desk {

QString MarkerHint(HostDocument& document, const ChartMarker& marker)
{
    const auto attached = document.MarkerTable().find(marker.channel);
    if (attached == document.MarkerTable().end() || !attached->second.drawClass) {
        return {};
    }
    const ComPtr<IHostCalc> calc = document.Engine().Calc();
    const std::optional<SourceEvent> event =
        SourceEventAt(*calc, attached->second.eventSource, {marker.tick, marker.block});
    VEX::String text;
    if (!event || Failed(attached->second.drawClass->HintText(event->record.data(),
                                                              static_cast<std::int32_t>(event->record.size()),
                                                              marker.channel, marker.block, &text))) {
        return {};
    }
    return ToQt(text);
}

} // namespace Desk
