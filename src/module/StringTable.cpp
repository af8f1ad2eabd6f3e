#include "module/StringTable.h"

#include <unordered_map>

namespace Nerolith {
namespace {

const std::unordered_map<std::uint32_t, const char16_t*>& Table()
{
    static const std::unordered_map<std::uint32_t, const char16_t*> table = {
        {106, u"Export to NeuroExplorer"},
        {107, u"Nerolith"},
        {126, u"Copy Spike Discriminator View"},
        {127, u"Print Spike Discriminator View..."},
        {130, u"Height = %1 %2%3 Width = %4 %5"},
        {132, u"A&nalyze Channel"},
        {133, u"A&nalyze Selection"},
        {134, u"The Nerolith settings could not be loaded.\nThey are from a later version of Nerolith.\n"
              u"The default settings for this version will be used."},
        {135, u"Assign to unit..."},
        {136, u"Exclude from all units"},
        {137, u"Clear Edits"},
        {145, u"No units defined"},
        {146, u"This action will clear the analysis on all analyzed channels."},
        {148, u"Sampling is not possible because Online Mode cannot be used with Selection as the Data "
              u"source in Nerolith."},
        {149, u"This action will clear the units on all analyzed channels."},
        {150, u"Some channel settings hold a number that is not finite.\n"
              u"The default settings are used for those channels."},
        {2000, u"Nerolith"},
        {2001, u"Nerolith"},
        {2032, u"Data Source..."},
        {2033, u"Data Source Dialog"},
        {2034, u"Data Source Dialog"},
        {2048, u"Discriminator 1.x"},
        {2049, u"Discriminator 1.x"},
        {2050, u"Discriminator 1.x View"},
        {2064, u"&Amplitude Histogram"},
        {2065, u"Amplitude Histogram"},
        {2066, u"Amplitude Histogram View"},
        {2080, u"Ra&te Meter"},
        {2081, u"Rate Meter"},
        {2082, u"Rate Meter View"},
        {2096, u"&Interspike Interval Histogram"},
        {2097, u"Interspike Interval Histogram"},
        {2098, u"Interspike Interval Histogram View"},
        {2112, u"&Peristimulus Time Histogram"},
        {2113, u"Peristimulus Time Histogram"},
        {2114, u"Peristimulus Time Histogram View"},
        {2128, u"Export to &NeuroExplorer..."},
        {2129, u"Export to NeuroExplorer"},
        {2130, u"Export spikes as a NeuroExplorer NEX file"},
        {2144, u"&Settings..."},
        {2145, u"Spike Settings"},
        {2146, u"Spike Settings"},
        {2160, u"N&erolith Help"},
        {2178, u"Nerolith Views"},
        {2192, u"A&nalyze"},
        {2193, u"Analyze"},
        {2194, u"Analyze"},
        {2208, u"&Clear Analysis"},
        {2209, u"Clear Analysis"},
        {2224, u"&Discriminator"},
        {2225, u"Discriminator"},
        {2226, u"Discriminator View"},
        {2240, u"Show Spi&ke Markers"},
        {2241, u"Show Spike Markers"},
        {2242, u"Show Spike Markers"},
        {2256, u"&Reselect Analyzed Data"},
        {2257, u"Reselect the data used in the current analysis"},
        {2272, u"Analy&ze while sampling"},
        {2273, u"Analyze while sampling"},
        {2274, u"Analyze while sampling"},
        {2288, u"Autocorrelation &Histogram"},
        {2289, u"Autocorrelation Histogram"},
        {2290, u"Autocorrelation Histogram View"},
        {2304, u"Cross-correlation Histogra&m"},
        {2305, u"Cross-correlation Histogram"},
        {2306, u"Cross-correlation Histogram View"},
    };
    return table;
}

} // namespace

VEX::String LoadString(std::uint32_t id)
{
    const auto found = Table().find(id);
    return found == Table().end() ? VEX::String() : VEX::String(found->second);
}

bool HasString(std::uint32_t id) { return Table().contains(id); }

} // namespace Nerolith
