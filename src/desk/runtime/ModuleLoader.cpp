#include "desk/runtime/ModuleLoader.h"

#include <cstdlib>
#include <dlfcn.h>
#include <map>
#include <string>

namespace Desk {
namespace {

using RegisterFunction = HRESULT (*)(IClassRegistrar*);

struct LoadedModule {
    void* handle = nullptr;
    ComPtr<ClassRegistry> registry;
};

// Never destroyed by itself: a module's class objects are statics of the
// module, so a map destroyed at exit could release them after they died.
// ReleaseModules empties it instead, before any of those statics go.
std::map<std::filesystem::path, LoadedModule>& Loaded()
{
    static auto* modules = new std::map<std::filesystem::path, LoadedModule>;
    return *modules;
}

// Exit runs handlers and static destructors in the reverse order of their
// registration, so a handler registered once a module has registered its
// classes runs before the destructors of every static the module built up
// to then. The libraries stay mapped; only the references are dropped.
void ReleaseModules()
{
    Loaded().clear();
}

std::filesystem::path ExecutableFolder()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : self.parent_path();
}

} // namespace

std::filesystem::path ModuleLoader::DefaultModulePath() { return ExecutableFolder() / "libnerolith.so"; }

ClassRegistry& ModuleLoader::Load(const std::filesystem::path& path)
{
    const std::filesystem::path key = std::filesystem::weakly_canonical(path);
    if (const auto found = Loaded().find(key); found != Loaded().end()) {
        return *found->second.registry;
    }
    void* handle = dlopen(key.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        throw ModuleError("cannot load the analysis module " + key.string() + ": " + dlerror());
    }
    auto entry = reinterpret_cast<RegisterFunction>(dlsym(handle, "DllRegisterClassObjects"));
    if (entry == nullptr) {
        dlclose(handle);
        throw ModuleError("the analysis module " + key.string() + " has no DllRegisterClassObjects");
    }
    LoadedModule module{handle, MakeCom<ClassRegistry>()};
    const HRESULT result = entry(module.registry.Get());
    if (Failed(result)) {
        throw ModuleError("the analysis module " + key.string() + " failed to register its classes");
    }
    std::atexit(ReleaseModules);
    return *Loaded().emplace(key, std::move(module)).first->second.registry;
}

} // namespace Desk
