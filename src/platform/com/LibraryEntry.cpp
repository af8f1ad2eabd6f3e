#include "platform/com/LibraryEntry.h"

#include <dlfcn.h>

#include "platform/error/XVEX.h"

namespace platform {
namespace {

std::string FolderOf(const void* anchor)
{
    Dl_info info{};
    if (dladdr(anchor, &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    const std::string self = info.dli_fname;
    const std::size_t slash = self.find_last_of('/');
    return slash == std::string::npos ? std::string() : self.substr(0, slash + 1);
}

std::string LoaderError()
{
    const char* reason = dlerror();
    return reason != nullptr ? reason : "unknown reason";
}

} // namespace

void* LoadEntryBeside(const void* anchor, const std::string& file, const char* entry, const std::string& what)
{
    const std::string path = FolderOf(anchor) + file;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        throw VEX::XVEX("Cannot load the " + what + " " + path + ": " + LoaderError());
    }
    void* symbol = dlsym(handle, entry);
    if (symbol == nullptr) {
        throw VEX::XVEX("The " + what + " " + path + " has no " + entry + ": " + LoaderError());
    }
    return symbol;
}

} // namespace platform
