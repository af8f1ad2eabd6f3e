#pragma once

#include <filesystem>
#include <stdexcept>

#include "desk/runtime/ClassRegistry.h"

namespace Desk {

class ModuleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Loads the analysis module (a shared library) once, calls its one export
// DllRegisterClassObjects with a registry, and keeps the library loaded for
// the life of the process. What a module registered is released at exit
// before the module's own statics are destroyed, never after.
class ModuleLoader {
public:
    // The module beside the running program: libnerolith.so in its folder.
    static std::filesystem::path DefaultModulePath();

    // Loads `path` (once per process) and returns what it registered.
    static ClassRegistry& Load(const std::filesystem::path& path = DefaultModulePath());
};

} // namespace Desk
