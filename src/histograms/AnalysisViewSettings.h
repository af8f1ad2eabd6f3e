#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "histograms/PagingSettings.h"

namespace Nerolith {

// The names under which scripts and the command line read and set a view's
// settings (SpikeView::SetSetting and GetSetting).
namespace ViewSettingName {
inline constexpr std::u16string_view kBinSize = u"bin-size";
inline constexpr std::u16string_view kPaging = u"paging";
inline constexpr std::u16string_view kPreStimulus = u"pre-stimulus";
inline constexpr std::u16string_view kSweeps = u"sweeps";
inline constexpr std::u16string_view kReference = u"reference";
inline constexpr std::u16string_view kXRange = u"x-range";
inline constexpr std::u16string_view kSelectionX = u"selection-x";
inline constexpr std::u16string_view kPage = u"page";
inline constexpr std::u16string_view kStatistics = u"stats";
// Correlations: the Y scale ("counts", "rate", "coefficient") and the
// confidence band ("none", "poisson", "jitter[:MS[:ROUNDS[:SEED]]]").
inline constexpr std::u16string_view kScale = u"scale";
inline constexpr std::u16string_view kBand = u"band";
// Interspike intervals: "on" counts them on a logarithmic time axis.
inline constexpr std::u16string_view kLogX = u"log-x";
// The view window's client size, "WxH".
inline constexpr std::u16string_view kSize = u"size";
// Set only, options of the pictures written (published figures): "dpi"
// (pixels per inch, 0: follow the size), "shared-x" ("on"/"off": every
// pane over one X range) and "bars" ("filled"/"outline").
inline constexpr std::u16string_view kDpi = u"dpi";
inline constexpr std::u16string_view kSharedX = u"shared-x";
inline constexpr std::u16string_view kBars = u"bars";
// Read only: the title, the page count, the copied text and the statistics
// lines of every pane.
inline constexpr std::u16string_view kTitle = u"title";
inline constexpr std::u16string_view kPageCount = u"pages";
inline constexpr std::u16string_view kCopiedText = u"copied-text";
inline constexpr std::u16string_view kStatisticsLines = u"statistics";
// Set only: writes the view's picture to the file named, as PNG, SVG or
// PDF by its extension.
inline constexpr std::u16string_view kWritePicture = u"write-picture";
// Set only: prints the view through its printout: "dialog" asks where (the
// host's Print command), "preview" shows the pages, a FILE.pdf prints there.
inline constexpr std::u16string_view kPrint = u"print";
// Read only: the text of the host's print menu entry for the view.
inline constexpr std::u16string_view kPrintMenuText = u"print-menu-text";
} // namespace ViewSettingName

// Numbers in the C locale; none for anything else, or a value that is not
// finite.
std::optional<double> ParseSettingNumber(std::u16string_view text);
// A whole number that fits 32 bits.
std::optional<std::int32_t> ParseSettingWholeNumber(std::u16string_view text);
// "FIRST:SECOND", two numbers.
std::optional<std::pair<double, double>> ParseSettingRange(std::u16string_view text);
// "WxH", two whole numbers from 1 to `largest`.
std::optional<std::pair<std::int32_t, std::int32_t>> ParseSettingSize(std::u16string_view text,
                                                                      std::int32_t largest);

// The shortest text that reads back to the same number.
std::u16string SettingNumberText(double value);
std::u16string SettingRangeText(double first, double second);

// "none", "blocks:N", "duration:S" or "stimulus:N" applied to `settings`
// (the other values stay); none when the text is not one of them or its
// number is out of range.
std::optional<PagingSettings> ParsePagingText(std::u16string_view text, PagingSettings settings);
std::u16string PagingText(const PagingSettings& settings);

} // namespace Nerolith
