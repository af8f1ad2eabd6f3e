#include "desk/runtime/DrawingLoader.h"

#include <dlfcn.h>

#include "desk/runtime/ModuleLoader.h"

namespace Desk {

std::filesystem::path DrawingLoader::DefaultPath()
{
    return ModuleLoader::DefaultModulePath().parent_path() / "libnerolith_drawing.so";
}

void DrawingLoader::Load(const std::filesystem::path& path)
{
    static bool loaded = false;
    if (loaded) {
        return;
    }
    // Kept loaded for the life of the process: the platform holds its
    // factories.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        throw ModuleError("cannot load the drawing library " + path.string() + ": " + dlerror());
    }
    auto entry = reinterpret_cast<void (*)()>(dlsym(handle, "NerolithRegisterDrawing"));
    if (entry == nullptr) {
        dlclose(handle);
        throw ModuleError("the drawing library " + path.string() + " has no NerolithRegisterDrawing");
    }
    entry();
    loaded = true;
}

} // namespace Desk
