#include "discriminator/UnitSuggestion.h"

#include <dlfcn.h>

#include <filesystem>
#include <string>

#include "platform/error/XVEX.h"

namespace Nerolith {
namespace {

using SuggestEntry = void (*)(const std::vector<float>&, const std::vector<float>&, const SuggestionOptions&,
                              std::vector<SuggestedContour>&);

// The fitting library sits beside whatever holds this code: the module, or
// a program the module's objects are linked into.
std::filesystem::path SuggestionLibraryPath()
{
    Dl_info self{};
    if (dladdr(reinterpret_cast<const void*>(&SuggestionLibraryPath), &self) == 0 || self.dli_fname == nullptr) {
        throw VEX::XVEX("cannot find where the module was loaded from");
    }
    return std::filesystem::path(self.dli_fname).parent_path() / "libnerolith_suggest.so";
}

SuggestEntry LoadSuggestion()
{
    const std::filesystem::path path = SuggestionLibraryPath();
    // Kept loaded for the life of the process.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        throw VEX::XVEX("cannot load the unit suggestion library " + path.string() + ": " + dlerror());
    }
    auto entry = reinterpret_cast<SuggestEntry>(dlsym(handle, "NerolithSuggestContours"));
    if (entry == nullptr) {
        throw VEX::XVEX("the unit suggestion library " + path.string() + " has no NerolithSuggestContours");
    }
    return entry;
}

} // namespace

std::vector<SuggestedContour> SuggestContours(const std::vector<float>& widthsMs, const std::vector<float>& heights,
                                              const SuggestionOptions& options)
{
    static const SuggestEntry entry = LoadSuggestion();
    std::vector<SuggestedContour> contours;
    entry(widthsMs, heights, options, contours);
    return contours;
}

} // namespace Nerolith
