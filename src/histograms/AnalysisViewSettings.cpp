#include "histograms/AnalysisViewSettings.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/text/ShortestNumber.h"

namespace Nerolith {

namespace {

// Setting texts are ASCII; anything else makes them invalid.
std::optional<std::string> Narrowed(std::u16string_view text)
{
    std::string narrow;
    narrow.reserve(text.size());
    for (const char16_t c : text) {
        if (c == 0 || c > 0x7F) {
            return std::nullopt;
        }
        narrow.push_back(static_cast<char>(c));
    }
    return narrow;
}

std::u16string Widened(std::string_view text)
{
    return {text.begin(), text.end()};
}

std::optional<std::pair<std::u16string_view, std::u16string_view>> SplitAt(std::u16string_view text,
                                                                            char16_t separator)
{
    const std::size_t at = text.find(separator);
    if (at == std::u16string_view::npos) {
        return std::nullopt;
    }
    return std::pair{text.substr(0, at), text.substr(at + 1)};
}

} // namespace

std::optional<double> ParseSettingNumber(std::u16string_view text)
{
    const std::optional<std::string> narrow = Narrowed(text);
    if (!narrow || narrow->empty()) {
        return std::nullopt;
    }
    double value = 0.0;
    const char* end = narrow->data() + narrow->size();
    const auto [last, error] = std::from_chars(narrow->data(), end, value);
    if (error != std::errc() || last != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int32_t> ParseSettingWholeNumber(std::u16string_view text)
{
    const std::optional<std::string> narrow = Narrowed(text);
    if (!narrow || narrow->empty()) {
        return std::nullopt;
    }
    std::int32_t value = 0;
    const char* end = narrow->data() + narrow->size();
    const auto [last, error] = std::from_chars(narrow->data(), end, value);
    if (error != std::errc() || last != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::pair<double, double>> ParseSettingRange(std::u16string_view text)
{
    const auto parts = SplitAt(text, u':');
    if (!parts) {
        return std::nullopt;
    }
    const std::optional<double> first = ParseSettingNumber(parts->first);
    const std::optional<double> second = ParseSettingNumber(parts->second);
    if (!first || !second) {
        return std::nullopt;
    }
    return std::pair{*first, *second};
}

std::optional<std::pair<std::int32_t, std::int32_t>> ParseSettingSize(std::u16string_view text,
                                                                      std::int32_t largest)
{
    const auto parts = SplitAt(text, u'x');
    if (!parts) {
        return std::nullopt;
    }
    const std::optional<std::int32_t> width = ParseSettingWholeNumber(parts->first);
    const std::optional<std::int32_t> height = ParseSettingWholeNumber(parts->second);
    const auto fits = [largest](const std::optional<std::int32_t>& v) { return v && *v >= 1 && *v <= largest; };
    if (!fits(width) || !fits(height)) {
        return std::nullopt;
    }
    return std::pair{*width, *height};
}

std::u16string SettingNumberText(double value) { return Widened(VEX::ShortestNumber(value)); }

std::u16string SettingRangeText(double first, double second)
{
    return SettingNumberText(first) + u":" + SettingNumberText(second);
}

std::optional<PagingSettings> ParsePagingText(std::u16string_view text, PagingSettings settings)
{
    if (text == u"none") {
        settings.mode = kNoPaging;
        return settings;
    }
    const auto parts = SplitAt(text, u':');
    if (!parts) {
        return std::nullopt;
    }
    const auto [kind, number] = *parts;
    if (kind == u"duration") {
        settings.mode = kFixedDuration;
        settings.fixedDuration = ParseSettingNumber(number).value_or(0.0);
    } else if (kind == u"blocks" || kind == u"stimulus") {
        const std::optional<std::int32_t> count = ParseSettingWholeNumber(number);
        if (!count) {
            return std::nullopt;
        }
        if (kind == u"blocks") {
            settings.mode = kBlocksPerPage;
            settings.blocksPerPage = *count;
        } else {
            settings.mode = kStimulusEvents;
            settings.eventsPerPage = *count;
        }
    } else {
        return std::nullopt;
    }
    if (PagingSettingsError(settings)) {
        return std::nullopt;
    }
    return settings;
}

std::u16string PagingText(const PagingSettings& settings)
{
    const auto whole = [](std::int32_t n) { return Widened(std::to_string(n)); };
    switch (settings.mode) {
    case kBlocksPerPage:
        return u"blocks:" + whole(settings.blocksPerPage);
    case kFixedDuration:
        return u"duration:" + SettingNumberText(settings.fixedDuration);
    case kStimulusEvents:
        return u"stimulus:" + whole(settings.eventsPerPage);
    default:
        return u"none";
    }
}

} // namespace Nerolith
