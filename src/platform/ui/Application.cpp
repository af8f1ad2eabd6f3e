#include "platform/ui/Application.h"

#include "platform/ui/Backend.h"

namespace platform::ui {

void EnsureApplication()
{
    TheBackend().EnsureApplication();
}

bool IsHeadless()
{
    return TheBackend().IsHeadless();
}

void ProcessEvents(std::int32_t milliseconds)
{
    TheBackend().ProcessEvents(milliseconds);
}

int RunEventLoop()
{
    return TheBackend().RunEventLoop();
}

} // namespace platform::ui
