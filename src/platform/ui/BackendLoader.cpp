#include "platform/ui/Backend.h"

#include "platform/com/LibraryEntry.h"

namespace platform::ui {

namespace {

// The backend sits beside this library; kept loaded for the life of the
// process: windows and pictures made by it may outlive main.
Backend& LoadBackend()
{
    auto* entry = reinterpret_cast<Backend* (*)()>(LoadEntryBeside(
        reinterpret_cast<const void*>(&TheBackend), "libnerolith_platform_qt.so", "NerolithPlatformBackend",
        "drawing backend"));
    return *entry();
}

} // namespace

Backend& TheBackend()
{
    // A failed load throws, and the next call tries again.
    static Backend& backend = LoadBackend();
    return backend;
}

} // namespace platform::ui
