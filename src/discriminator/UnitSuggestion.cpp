#include "discriminator/UnitSuggestion.h"

#include "platform/com/LibraryEntry.h"

namespace Nerolith {
namespace {

using SuggestEntry = void (*)(const std::vector<float>&, const std::vector<float>&, const SuggestionOptions&,
                              std::vector<SuggestedContour>&);

// The fitting library sits beside whatever holds this code: the module, or
// a program the module's objects are linked into.
SuggestEntry LoadSuggestion()
{
    return reinterpret_cast<SuggestEntry>(platform::LoadEntryBeside(reinterpret_cast<const void*>(&LoadSuggestion),
                                                                    "libnerolith_suggest.so",
                                                                    "NerolithSuggestContours", "unit suggestion library"));
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
