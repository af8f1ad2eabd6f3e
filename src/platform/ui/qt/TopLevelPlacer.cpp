#include "platform/ui/qt/QtBridge.h"

#include "platform/ui/qt/WindowImpl.h"

namespace platform::ui::qt {

namespace {

TopLevelPlacer& Placer()
{
    static auto* placer = new TopLevelPlacer;
    return *placer;
}

} // namespace

void SetTopLevelPlacer(TopLevelPlacer placer) { Placer() = std::move(placer); }

const TopLevelPlacer& CurrentTopLevelPlacer() { return Placer(); }

bool IsPlainTopLevel(const QWidget& widget)
{
    return widget.parentWidget() == nullptr && dynamic_cast<const WindowWidget*>(&widget) != nullptr;
}

} // namespace platform::ui::qt
