#include "desk/window/ChartPainter.h"

#include <algorithm>
#include <cmath>

#include "desk/window/QtText.h"

namespace Desk {

namespace {

const QColor kTrace(0x1f, 0x3a, 0x5f);
const QColor kLaneRule(0xd8, 0xdc, 0xe2);
const QColor kBoundary(0xc0, 0x39, 0x2b);
const QColor kSelection(0x3a, 0x7b, 0xd5, 48);
const QColor kSelectionEdge(0x3a, 0x7b, 0xd5, 160);
constexpr int kMarkerHeight = 9;

double BlockDuration(const Recording& recording, std::int32_t block)
{
    return recording.ChannelCount() > 0 ? recording.Ticks(0, block) * recording.SampleInterval(0, block) : 0.0;
}

} // namespace

ChartPainter::ChartPainter(const Recording& recording) : recording_(recording), offsets_{0.0}
{
    for (std::int32_t block = 0; block < recording.BlockCount(); ++block) {
        offsets_.push_back(offsets_.back() + BlockDuration(recording, block));
    }
    for (std::int32_t channel = 0; channel < recording.ChannelCount(); ++channel) {
        pyramids_.push_back(std::make_unique<SummaryPyramid>(recording, channel));
    }
}

double ChartPainter::ShortestSpan() const
{
    return recording_.BlockCount() > 0 && recording_.ChannelCount() > 0 ? 50 * recording_.SampleInterval(0, 0) : 1.0;
}

SampleRange ChartPainter::ChannelRange(std::int32_t channel) const
{
    SampleRange range;
    for (std::int32_t block = 0; block < recording_.BlockCount(); ++block) {
        range.Add(pyramids_[static_cast<std::size_t>(channel)]->Range(block, 0, recording_.Ticks(channel, block)));
    }
    return range;
}

Host::Position ChartPainter::PositionAt(std::int32_t channel, double time) const
{
    const std::int32_t blocks = BlockCount();
    if (blocks == 0) {
        return {};
    }
    // The block whose stretch holds the time; past the end, the last one.
    const auto after = std::upper_bound(offsets_.begin() + 1, offsets_.end() - 1, time);
    const auto block = static_cast<std::int32_t>(after - offsets_.begin()) - 1;
    const double interval = recording_.SampleInterval(channel, block);
    const std::int64_t ticks = recording_.Ticks(channel, block);
    const double fromStart = (time - BlockStart(block)) / std::max(interval, 1e-12);
    const auto tick = std::clamp<std::int64_t>(std::llround(fromStart), 0, ticks);
    return {static_cast<std::int32_t>(tick), block};
}

double ChartPainter::TimeOf(std::int32_t channel, Host::Position position) const
{
    const std::int32_t block = std::clamp(position.block, 0, std::max(BlockCount() - 1, 0));
    if (BlockCount() == 0) {
        return 0.0;
    }
    return BlockStart(block) + position.tick * recording_.SampleInterval(channel, block);
}

QRect ChartPainter::Lane(const QRect& area, std::int32_t channel) const
{
    const int count = std::max(recording_.ChannelCount(), 1);
    const int top = area.top() + area.height() * channel / count;
    const int bottom = area.top() + area.height() * (channel + 1) / count;
    return {area.left(), top, area.width(), bottom - top};
}

void ChartPainter::Draw(QPainter& painter, const QRect& area, double start, double span,
                        const std::vector<std::pair<double, double>>& extents,
                        const std::vector<ChartMarker>& markers) const
{
    painter.fillRect(area, Qt::white);
    if (span <= 0.0 || area.width() <= 0) {
        return;
    }
    for (std::int32_t channel = 0; channel < recording_.ChannelCount(); ++channel) {
        const QRect lane = Lane(area, channel);
        painter.setPen(kLaneRule);
        painter.drawLine(lane.bottomLeft(), lane.bottomRight());
        if (static_cast<std::size_t>(channel) < extents.size()) {
            DrawChannel(painter, lane, channel, start, span, extents[static_cast<std::size_t>(channel)]);
        }
    }
    DrawBlockBoundaries(painter, area, start, span);
    DrawMarkers(painter, area, start, span, markers);
}

QRect ChartPainter::MarkerBand(const QRect& area, std::int32_t channel) const
{
    const QRect lane = Lane(area, channel);
    return {lane.left(), lane.top() + 2, lane.width(), kMarkerHeight + 1};
}

void ChartPainter::DrawSelection(QPainter& painter, const QRect& area, double start, double span,
                                 const ChartSpan& selected) const
{
    if (span <= 0.0 || selected.channel < 0 || selected.channel >= recording_.ChannelCount()) {
        return;
    }
    auto x = [&](double time) {
        const double pixel = area.left() + (time - start) / span * area.width();
        return static_cast<int>(std::clamp(pixel, area.left() - 1.0, area.right() + 1.0));
    };
    const QRect lane = Lane(area, selected.channel);
    const int left = x(std::min(selected.from, selected.to));
    const int right = x(std::max(selected.from, selected.to));
    painter.fillRect(QRect(QPoint(left, lane.top()), QPoint(right, lane.bottom() - 1)), kSelection);
    painter.setPen(kSelectionEdge);
    painter.drawLine(left, lane.top(), left, lane.bottom() - 1);
    painter.drawLine(right, lane.top(), right, lane.bottom() - 1);
}

void ChartPainter::DrawChannel(QPainter& painter, const QRect& lane, std::int32_t channel, double start, double span,
                               std::pair<double, double> extent) const
{
    const double scale = extent.second > extent.first ? lane.height() / (extent.second - extent.first) : 0.0;
    auto y = [&](float value) {
        const double pixel = lane.bottom() - (value - extent.first) * scale;
        return static_cast<int>(std::clamp(pixel, double(lane.top()), double(lane.bottom())));
    };
    const double perPixel = span / lane.width();
    const SummaryPyramid& pyramid = *pyramids_[static_cast<std::size_t>(channel)];
    painter.save();
    painter.setClipRect(lane, Qt::IntersectClip);
    painter.setPen(kTrace);
    for (std::int32_t block = 0; block < recording_.BlockCount(); ++block) {
        const double blockStart = offsets_[static_cast<std::size_t>(block)];
        const double blockEnd = offsets_[static_cast<std::size_t>(block) + 1];
        const double interval = recording_.SampleInterval(channel, block);
        if (blockEnd <= start || blockStart >= start + span || interval <= 0.0) {
            continue;
        }
        const int first = std::max(0, static_cast<int>(std::floor((blockStart - start) / perPixel)));
        const int last = std::min(lane.width(), static_cast<int>(std::ceil((blockEnd - start) / perPixel)));
        SampleRange previous;
        for (int column = first; column < last; ++column) {
            const double t0 = start + column * perPixel - blockStart;
            const auto tick0 = static_cast<std::int64_t>(std::floor(t0 / interval));
            const auto tick1 = std::max(tick0 + 1, static_cast<std::int64_t>(std::floor((t0 + perPixel) / interval)));
            SampleRange range = pyramid.Range(block, tick0, tick1);
            if (range.empty) {
                continue;
            }
            // Join the columns, so a zoomed-in trace stays one line.
            SampleRange drawn = range;
            if (!previous.empty && previous.high < range.low) {
                drawn.Add(previous.high);
            } else if (!previous.empty && previous.low > range.high) {
                drawn.Add(previous.low);
            }
            painter.drawLine(lane.left() + column, y(drawn.low), lane.left() + column, y(drawn.high));
            previous = range;
        }
    }
    painter.restore();
    // The title below the marker row, on a plate so traces do not hide it.
    const QString title = ToQt(recording_.ChannelTitle(channel));
    QRect plate = painter.fontMetrics().boundingRect(title).adjusted(-4, -1, 4, 1);
    plate.moveTopLeft(lane.topLeft() + QPoint(6, kMarkerHeight + 6));
    painter.fillRect(plate, QColor(255, 255, 255, 220));
    painter.setPen(Qt::darkGray);
    painter.drawText(plate, Qt::AlignCenter, title);
}

void ChartPainter::DrawBlockBoundaries(QPainter& painter, const QRect& area, double start, double span) const
{
    QPen pen(kBoundary, 1, Qt::DashLine);
    for (std::int32_t block = 0; block < recording_.BlockCount(); ++block) {
        const double at = offsets_[static_cast<std::size_t>(block)];
        if (at < start || at > start + span) {
            continue;
        }
        const int x = area.left() + static_cast<int>((at - start) / span * area.width());
        painter.setPen(pen);
        painter.drawLine(x, area.top(), x, area.bottom());
        painter.setPen(kBoundary);
        painter.drawText(x + 4, area.bottom() - 4, QString("Block %1").arg(block + 1));
    }
}

void ChartPainter::DrawMarkers(QPainter& painter, const QRect& area, double start, double span,
                               const std::vector<ChartMarker>& markers) const
{
    for (const ChartMarker& marker : markers) {
        if (marker.time < start || marker.time >= start + span || marker.channel >= recording_.ChannelCount()) {
            continue;
        }
        const QRect lane = Lane(area, marker.channel);
        const int x = area.left() + static_cast<int>((marker.time - start) / span * area.width());
        painter.setPen(QPen(marker.colour, 2));
        painter.drawLine(x, lane.top() + 2, x, lane.top() + 2 + kMarkerHeight);
    }
}

} // namespace Desk
