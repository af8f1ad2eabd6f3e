#include "platform/ui/Backend.h"

#include <dlfcn.h>

#include <string>

#include "platform/error/XVEX.h"

namespace platform::ui {

namespace {

constexpr const char* kBackendFile = "libnerolith_platform_qt.so";
constexpr const char* kEntryPoint = "NerolithPlatformBackend";

// The backend sits beside this library.
std::string BackendPath()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&TheBackend), &info) == 0 || info.dli_fname == nullptr) {
        return kBackendFile;
    }
    const std::string self = info.dli_fname;
    const std::size_t slash = self.find_last_of('/');
    return slash == std::string::npos ? kBackendFile : self.substr(0, slash + 1) + kBackendFile;
}

std::string LoaderError()
{
    const char* reason = dlerror();
    return reason != nullptr ? reason : "unknown reason";
}

Backend& LoadBackend()
{
    const std::string path = BackendPath();
    // Kept loaded for the life of the process: windows and pictures made by
    // it may outlive main.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        throw VEX::XVEX("Cannot load the drawing backend " + path + ": " + LoaderError());
    }
    auto* entry = reinterpret_cast<Backend* (*)()>(dlsym(handle, kEntryPoint));
    if (entry == nullptr) {
        throw VEX::XVEX("The drawing backend " + path + " has no " + kEntryPoint + ": " + LoaderError());
    }
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
