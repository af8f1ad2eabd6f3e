#pragma once

#include <filesystem>

namespace Desk {

// Loads the host's drawing parts (libnerolith_drawing.so, which links Qt)
// once, and registers them with the platform. The command line calls it
// only where the module may draw, so commands that draw nothing start
// without Qt; the desktop program links those parts in instead.
class DrawingLoader {
public:
    // The library beside the running program.
    static std::filesystem::path DefaultPath();

    // Loads `path` once per process; throws ModuleError when it cannot.
    static void Load(const std::filesystem::path& path = DefaultPath());
};

} // namespace Desk
