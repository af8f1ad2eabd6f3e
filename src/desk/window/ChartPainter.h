#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>

#include <memory>
#include <utility>
#include <vector>

#include "desk/recording/Recording.h"
#include "desk/recording/SummaryPyramid.h"
#include "host/HostTypes.h"

namespace Desk {

// A spike marker: where on the chart's time line, on which channel.
struct ChartMarker {
    double time = 0.0; // chart seconds
    std::int32_t channel = 0;
    QColor colour;
    std::int32_t block = 0;
    std::int32_t tick = 0;
};

// A stretch of one channel, in chart seconds.
struct ChartSpan {
    std::int32_t channel = 0;
    double from = 0.0;
    double to = 0.0;
};

// Draws a recording's channels one above the other against time, its blocks
// laid end to end (boundaries marked). Each pixel column shows the range of
// the samples under it, taken from the channel's summary pyramid, so a
// screen costs about the same at any zoom.
class ChartPainter {
public:
    explicit ChartPainter(const Recording& recording);

    // Chart seconds: the blocks' durations added up.
    double Duration() const { return offsets_.back(); }
    std::int32_t ChannelCount() const { return recording_.ChannelCount(); }
    std::int32_t BlockCount() const { return static_cast<std::int32_t>(offsets_.size()) - 1; }
    double BlockStart(std::int32_t block) const { return offsets_[static_cast<std::size_t>(block)]; }
    // The smallest span worth a screen: a few dozen samples.
    double ShortestSpan() const;
    // The lowest and highest sample of a channel.
    SampleRange ChannelRange(std::int32_t channel) const;

    // A chart time as a recording position on a channel: the nearest tick
    // of the block under it, so a span's end may be its block's end.
    Host::Position PositionAt(std::int32_t channel, double time) const;
    // The chart time of a recording position on a channel.
    double TimeOf(std::int32_t channel, Host::Position position) const;

    // The rectangle of a channel's lane in a chart of `area`.
    QRect Lane(const QRect& area, std::int32_t channel) const;
    // Draws [start, start + span) seconds into `area`, channel c scaled to
    // extents[c] (low, high).
    void Draw(QPainter& painter, const QRect& area, double start, double span,
              const std::vector<std::pair<double, double>>& extents, const std::vector<ChartMarker>& markers) const;

    // Where a channel's spike markers are drawn in a chart of `area`.
    QRect MarkerBand(const QRect& area, std::int32_t channel) const;
    // Shades a selected stretch of a channel's lane.
    void DrawSelection(QPainter& painter, const QRect& area, double start, double span, const ChartSpan& selected) const;

private:
    void DrawChannel(QPainter& painter, const QRect& lane, std::int32_t channel, double start, double span,
                     std::pair<double, double> extent) const;
    void DrawBlockBoundaries(QPainter& painter, const QRect& area, double start, double span) const;
    void DrawMarkers(QPainter& painter, const QRect& area, double start, double span,
                     const std::vector<ChartMarker>& markers) const;

    const Recording& recording_;
    std::vector<double> offsets_; // per block, and the end
    std::vector<std::unique_ptr<SummaryPyramid>> pyramids_;
};

} // namespace Desk
