#include "platform/text/DecimalPoint.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>

namespace VEX {
namespace {

// Languages whose numbers take a decimal comma, sorted; "no" and "in" are
// the older names of Norwegian Bokmål and Indonesian.
constexpr std::array<std::string_view, 101> kCommaLanguages = {
    "af", "agq", "ast", "az", "bas", "be", "bg", "br", "bs", "ca", "cs", "da", "de", "dsb",
    "dua", "dyo", "el", "eo", "es", "et", "eu", "ewo", "ff", "fi", "fo", "fr", "fur", "fy",
    "gl", "hr", "hsb", "hu", "hy", "ia", "id", "in", "is", "it", "jgo", "jv", "ka", "kab",
    "kea", "kgp", "kk", "kkj", "kl", "km", "ksf", "ksh", "ku", "ky", "lb", "ln", "lo", "lt",
    "lu", "lv", "mgh", "mk", "mua", "nb", "nds", "nl", "nmg", "nn", "nnh", "no", "os", "pl",
    "pt", "rn", "ro", "ru", "rw", "sah", "sc", "se", "seh", "sg", "shi", "sk", "sl", "smn",
    "sq", "sr", "su", "sv", "tg", "tk", "tr", "tt", "tzm", "uk", "uz", "vi", "wae", "wo",
    "yav", "yrl", "zgh"};

// Territories whose decimal point differs from their language's, sorted.
constexpr std::array<std::string_view, 36> kTerritoryExceptions = {
    "ar_DZ", "ar_LY", "ar_MA", "ar_TN", "az_IR", "de_CH", "de_LI", "en_AT", "en_BE",
    "en_DE", "en_DK", "en_FI", "en_NL", "en_SE", "en_SI", "en_ZA", "es_419", "es_BR",
    "es_BZ", "es_CU", "es_DO", "es_GT", "es_HN", "es_MX", "es_NI", "es_PA", "es_PE",
    "es_PR", "es_SV", "es_US", "it_CH", "ms_BN", "ms_ID", "qu_BO", "sw_CD", "uz_AF"};

template <std::size_t N>
bool Holds(const std::array<std::string_view, N>& sorted, std::string_view name)
{
    return std::binary_search(sorted.begin(), sorted.end(), name);
}

std::string Cased(std::string_view text, int (*convert)(int))
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [convert](unsigned char c) { return static_cast<char>(convert(c)); });
    return out;
}

} // namespace

char16_t DecimalPointOf(std::string_view localeName)
{
    localeName = localeName.substr(0, localeName.find_first_of(".@"));
    const std::size_t split = localeName.find_first_of("_-");
    const std::string language = Cased(localeName.substr(0, split), std::tolower);
    bool comma = Holds(kCommaLanguages, language);
    if (split != std::string_view::npos) {
        // A script between language and territory (sr_Latn_RS) does not count.
        const std::string_view territory = localeName.substr(localeName.find_last_of("_-") + 1);
        if (Holds(kTerritoryExceptions, language + '_' + Cased(territory, std::toupper))) {
            comma = !comma;
        }
    }
    return comma ? u',' : u'.';
}

std::string NumericLocaleName()
{
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

} // namespace VEX
