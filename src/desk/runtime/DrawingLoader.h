#pragma once

#include <filesystem>

namespace Desk {

// Loads the host's drawing parts (libnerolith_drawing.so, on platform/ui)
// once, and registers them with the platform. The command line calls it
// only where the module may draw, so commands that load no module (info)
// start without platform/ui; the desktop program links those parts in
// instead. Qt itself loads only when something is drawn (platform/ui's
// backend).
class DrawingLoader {
public:
    // The library beside the running program.
    static std::filesystem::path DefaultPath();

    // Loads `path` once per process; throws ModuleError when it cannot.
    static void Load(const std::filesystem::path& path = DefaultPath());
};

} // namespace Desk
