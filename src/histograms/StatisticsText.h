#pragma once

#include <cstdint>
#include <string>

#include "histograms/StatsAccumulator.h"
#include "platform/text/VexString.h"

namespace Nerolith {

class HistogramPages;

// The statistics a view shows, as bits of one integer.
enum StatisticsOption : std::int32_t {
    kShowMeanX = 1,
    kShowSdX = 2,
    kShowSemX = 4,
    kShowMinY = 8,
    kShowMaxY = 16,
    kShowMeanY = 32,
    kShowSdY = 64,
    kShowAllStatistics = 127,
};

// The three lines above a pane's graph. The X and Y lines are empty while
// the displayed page has no counted value.
struct StatisticsLines {
    std::u16string header;
    std::u16string x;
    std::u16string y;
};

// The lines of the displayed page, whose Y statistics are given; sep is the
// list separator; numbers use the classic stream formats.
StatisticsLines BuildStatisticsLines(const VEX::String& label, const HistogramPages& pages,
                                     const StatsAccumulator& y, std::int32_t options, char16_t sep);

// Pixels above the graph: 16, and 14 more for each of the X and Y lines
// that has an option on.
std::int32_t StatisticsAreaHeight(std::int32_t options);

// "Bin [start,end): Count = c" for the bin that starts at start.
std::u16string BinHint(double start, double binSize, float count, char16_t sep);

// The copied text of a pane: the label; then, with pages, the X title and a
// column per page, a row per bin (X value first, a page's cell empty where
// it has no such bin) and an empty line.
void AppendCopiedText(std::u16string& out, const VEX::String& label, const VEX::String& xTitle,
                      const HistogramPages& pages);

} // namespace Nerolith
