#include "platform/ui/AxisScale.h"

#include <cstdio>
#include <exception>

namespace platform::ui {

namespace {

AxisScaleFactory& Factory()
{
    static AxisScaleFactory factory;
    return factory;
}

} // namespace

void SetAxisScaleFactory(AxisScaleFactory factory)
{
    Factory() = std::move(factory);
}

std::unique_ptr<IAxisScale> CreateAxisScale(TWindow& parent, AxisOrientation orientation)
{
    if (!Factory()) {
        return nullptr;
    }
    try {
        return Factory()(parent, orientation);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "No axis scale: %s\n", error.what());
        return nullptr;
    }
}

} // namespace platform::ui
